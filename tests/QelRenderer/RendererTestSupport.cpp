#include "RendererTestSupport.h"

namespace Qel::test {

/// Tears the shared window down after the last test, in reverse order of creation.
class RendererEnvironment : public testing::Environment {
public:
    void TearDown() override {
        delete RendererTest::graphics;
        delete RendererTest::window;
        delete MessageManager::instance();
        RendererTest::graphics = nullptr;
        RendererTest::window = nullptr;
    }
};

void RendererTest::SetUpTestSuite() {
    if (window || !hasDisplay()) return;
    testing::AddGlobalTestEnvironment(new RendererEnvironment());
    new MessageManager();
    window = new WindowHandler();
    graphics = new GraphicsEngine();
    graphics->Startup();
}

} // namespace Qel::test

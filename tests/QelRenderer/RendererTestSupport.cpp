#include "RendererTestSupport.h"

namespace Qel::test {

/// Tears the shared window down after the last test.
class RendererEnvironment : public testing::Environment {
public:
    void TearDown() override {
        delete RendererTest::graphics;
        delete RendererTest::window;
        delete RendererTest::messages;
        RendererTest::graphics = nullptr;
        RendererTest::window = nullptr;
        RendererTest::messages = nullptr;
    }
};

void RendererTest::SetUpTestSuite() {
    if (window || !std::getenv("DISPLAY")) return;
    testing::AddGlobalTestEnvironment(new RendererEnvironment());
    messages = new MessageManager();
    window = new WindowHandler();
    graphics = new GraphicsEngine();
    graphics->Startup();
}

} // namespace Qel::test

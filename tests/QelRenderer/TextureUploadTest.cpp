#include "LogSink.h"
#include "QelRenderer/GraphicsEngine.h"
#include "QelRenderer/Texture.h"
#include "RendererTestSupport.h"
#include "data/AssetManager.h"

#include <GL/glew.h>

#include <array>
#include <atomic>
#include <thread>

namespace Qel {
namespace {

class TextureUploadTest : public test::RendererTest {
protected:
    void SetUp() override {
        test::RendererTest::SetUp();
        if (IsSkipped()) return;
        assets = std::make_unique<AssetManager>();
        graphics->subscribeTextureRequests();
    }
    void TearDown() override {
        assets.reset(); // releases the GL textures while the context exists
        if (messages) messages->removeReceiver(kGraphicsMultiThreadReceiver);
    }

    /// The colour of every texel of image number, which tells each image's pixels apart.
    static std::array<uint8_t, 4> colourOf(int number) {
        return {static_cast<uint8_t>(number), static_cast<uint8_t>(255 - number), 7, 255};
    }
    static void writeImage(const std::filesystem::path& path, int number) {
        const std::array<uint8_t, 4> colour = colourOf(number);
        test::writePng(path, 1, 1, 4, std::vector<uint8_t>(colour.begin(), colour.end()));
        test::writeText(path.string() + ".mdata", R"({"sRGB": false})");
    }

    std::unique_ptr<AssetManager> assets;
};

TEST_F(TextureUploadTest, EveryImageDecodedOnAWorkerIsUploadedOnceIntoItsOwnTexture) {
    constexpr int kWorkers = 4, kPerWorker = 16;
    test::Sandbox root("threaded");
    // Worker 0 runs the loading task, which reads "../Assets/Art" from the working directory.
    std::vector<std::filesystem::path> folders = {root / "Assets" / "Art"};
    for (int worker = 1; worker < kWorkers; ++worker)
        folders.push_back(root / std::to_string(worker));
    for (int number = 0; number < kWorkers * kPerWorker; ++number) {
        std::filesystem::create_directories(folders[number % kWorkers] / "sub");
        writeImage(folders[number % kWorkers] / (number % 2 ? "sub" : "") / (std::to_string(number) + ".png"),
                   number);
    }
    // Same name as "sub/1.png": whichever the walk finds second is skipped and never queued.
    writeImage(folders[1] / "sub" / "1.jpg", 1);

    root.enter("run");
    std::atomic<int> finished = 0;
    std::vector<std::thread> workers;
    test::LogSink logged;
    for (int worker = 0; worker < kWorkers; ++worker) {
        workers.emplace_back([&, worker] {
            if (worker == 0)
                GraphicsEngine::loadGraphicsAssets(graphics);
            else
                loadTextureFolder(folders[worker], TextureUpload::Queued);
            ++finished;
        });
    }
    int uploads = 0;
    while (finished < kWorkers || graphics->hasPendingTextureRequests()) {
        const TextureQueueStep step = graphics->processTextureRequest();
        uploads += step == TextureQueueStep::UploadedMore || step == TextureQueueStep::UploadedLast;
    }
    for (std::thread& worker : workers)
        worker.join();
    const std::string log = logged.take();

    EXPECT_EQ(uploads, kWorkers * kPerWorker);
    EXPECT_NE(log.find("ignored duplicate: " + (folders[1] / "sub" / "1.").generic_string()),
              std::string::npos);
    Registry<Texture>* textures = assets->findRegistry<Texture>();
    ASSERT_EQ(textures->size(), static_cast<size_t>(kWorkers * kPerWorker));
    for (int number = 0; number < kWorkers * kPerWorker; ++number) {
        const Texture* texture = textures->get(hashName((number % 2 ? "sub/" : "") + std::to_string(number)));
        ASSERT_NE(texture, nullptr) << number;
        std::array<uint8_t, 4> texel{};
        glGetTextureImage(texture->id, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel.size(), texel.data());
        // A shared or missing GL texture shows another image's colour or none.
        EXPECT_EQ(texel, colourOf(number)) << number;
    }
}

} // namespace
} // namespace Qel

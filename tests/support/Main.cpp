// Shared main of every test executable: each test process gets a fresh, empty user folder so no
// test ever touches the real one or sees another test's files. Death-test children re-run this
// main and inherit the parent's folder, so the parent can inspect what the child wrote there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    bool ownsFolder = false;
    std::string folder;
    if (const char* inherited = std::getenv("QEL_TEST_USER_FOLDER")) {
        folder = inherited;
    } else {
        std::string pattern = (std::filesystem::temp_directory_path() / "qel-test-XXXXXX").string();
        if (mkdtemp(pattern.data())) {
            folder = pattern;
            ownsFolder = true;
            setenv("QEL_TEST_USER_FOLDER", folder.c_str(), 1);
        }
    }
    if (!folder.empty()) setenv("XDG_DATA_HOME", folder.c_str(), 1);

    testing::InitGoogleTest(&argc, argv);
    testing::GTEST_FLAG(death_test_style) = "threadsafe";
    const int result = RUN_ALL_TESTS();
    if (ownsFolder) {
        std::error_code error;
        std::filesystem::remove_all(folder, error);
    }
    return result;
}

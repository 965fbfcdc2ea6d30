#pragma once

#include "ECS/Component/Components/ComponentReaders.h"
#include "QelCore/LogManager.h"
#include "data/AssetManager.h"
#include "data/JSON.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

/// Reads component objects written as JSON text, with a real log echoing to the captured standard
/// output and an AssetManager with no assets.
class ComponentReaderTest : public ::testing::Test {
protected:
    void SetUp() override { ::testing::internal::CaptureStdout(); }
    void TearDown() override { ::testing::internal::GetCapturedStdout(); }

    /// The log lines written since the last call.
    std::string takeLog() {
        std::string text = ::testing::internal::GetCapturedStdout();
        ::testing::internal::CaptureStdout();
        return text;
    }

    /// Calls use(object) with the component object `objectText`; the log is cleared first.
    template <class Use> void withObject(const std::string& objectText, Use&& use) {
        Qel::JSON document;
        std::istringstream in("{\"types\": [" + objectText + "]}");
        document.parse(in);
        ASSERT_TRUE(document.isParsed()) << objectText;
        Qel::JSONArr types = document.getArray("types");
        takeLog();
        use(*types.begin());
    }

    /// The component object `objectText` read with T's reader.
    template <class T> T read(const std::string& objectText) {
        T component;
        withObject(objectText,
                   [&](const Qel::JSONArr::iter& object) { component = Qel::readComponent<T>(object); });
        return component;
    }

    Qel::LogManager logManager;
    Qel::AssetManager assets;
};

/// The getters' log lines for a missing and for a mistyped key.
inline std::string missing(const std::string& key) {
    return "[LOW] JSON: \"" + key + "\" not found\n";
}
inline std::string mistyped(const std::string& key) {
    return "[MED] JSON: \"" + key + "\" type mismatch\n";
}

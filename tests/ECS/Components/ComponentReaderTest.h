#pragma once

#include "ECS/Component/Components/ComponentReaders.h"
#include "Files.h"
#include "LogSink.h"
#include "data/AssetManager.h"

#include <gtest/gtest.h>

#include <string>

/// Reads component objects written as JSON text, with the log recorded and an AssetManager with
/// no assets.
class ComponentReaderTest : public ::testing::Test {
protected:
    /// Calls use(object) with the component object `objectText`; the log is cleared first.
    template <class Use> void withObject(const std::string& objectText, Use&& use) {
        Qel::JSON document = Qel::test::parseJson("{\"types\": [" + objectText + "]}");
        ASSERT_TRUE(document.isParsed()) << objectText;
        Qel::JSONArr types = document.getArray("types");
        logged.take();
        use(*types.begin());
    }

    /// The component object `objectText` read with T's reader.
    template <class T> T read(const std::string& objectText) {
        T component;
        withObject(objectText,
                   [&](const Qel::JSONArr::iter& object) { component = Qel::readComponent<T>(object); });
        return component;
    }

    Qel::test::LogSink logged;
    Qel::AssetManager assets;
};

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
    /// The component object `objectText` read with T's reader; the log is cleared first.
    template <class T> T read(const std::string& objectText) {
        Qel::JSON document = Qel::test::parseJson("{\"types\": [" + objectText + "]}");
        if (!document.isParsed()) {
            ADD_FAILURE() << objectText;
            return T{};
        }
        logged.take();
        return Qel::readComponent<T>(*document.getArray("types").begin());
    }

    Qel::test::LogSink logged;
    Qel::AssetManager assets;
};

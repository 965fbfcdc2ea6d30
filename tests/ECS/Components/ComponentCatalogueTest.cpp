#include "ComponentReaderTest.h"

#include "ECS/Component/ComponentCatalogue.h"

using namespace Qel;

using ComponentCatalogueTest = ComponentReaderTest;

TEST_F(ComponentCatalogueTest, OnlyTheNamesUsedInFilesAreKnown) {
    const auto readByName = [&](const char* fileName) {
        bool known = false;
        withObject("{}", [&](const JSONArr::iter& object) {
            known = readComponentByName(hashName(fileName), object, [](auto) {});
        });
        return known;
    };
    for (const char* name : {"Transform", "PauseMenuManager", "GOScripts"})
        EXPECT_TRUE(readByName(name)) << name;
    for (const char* name : {"PauseMenuManagerComponent", "transform", "Collider", ""})
        EXPECT_FALSE(readByName(name)) << name;
}

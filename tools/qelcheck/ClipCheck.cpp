#include "CheckKinds.h"

#include "QelRenderer/AnimationClip.h"
#include "data/AssetManager.h"
#include "data/JSON.h"

namespace Qel::Check {

// ".anim" clips, loaded into the clip registry as at start-up so that controllers find them.
// A clip the engine would stop on is reported and left out.
void checkClips(CheckContext& context) {
    const std::filesystem::path folder = context.folder / "JSON";
    for (const auto& file : context.files("JSON", {".anim"})) {
        context.read(file, [&] {
            JSON doc = Graphics::readAnimationFile(file.c_str());
            if (!doc.isParsed()) return;
            if (const char* error = Graphics::clipStructureError(doc)) {
                context.report(file, "",
                               std::string("the engine stops on this clip: ") + error +
                                   " (expected a \"config\" object, and \"interpolateType\" "
                                   "\"linear\" or \"step\" in every track)");
                return;
            }
            std::filesystem::path name = file.lexically_relative(folder);
            AssetManager::instance()->load<Graphics::Clip>(name.replace_extension().generic_string(), doc);
        });
    }
}

} // namespace Qel::Check

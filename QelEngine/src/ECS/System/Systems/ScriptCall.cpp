#include "ECS/System/Systems/ScriptCall.h"

namespace Qel {

namespace {

ScriptCaller installedCaller = nullptr;

} // namespace

void setScriptCaller(ScriptCaller caller) {
    installedCaller = caller;
}

ScriptCallResult callScript(Entity entity, std::string_view function, std::initializer_list<ScriptArg> args) {
    if (!installedCaller) return ScriptCallResult::NoScript;
    return installedCaller(entity, function, {args.begin(), args.size()});
}

} // namespace Qel

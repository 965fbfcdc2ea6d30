#pragma once

// Stands in for the script system: every call an engine system makes into a script is recorded,
// and every script answers it.
#include "ECS/System/Systems/ScriptCall.h"

#include <string>
#include <vector>

struct ScriptCallRecorder {
    struct Call {
        Qel::Entity entity;
        std::string function;
        std::vector<Qel::ScriptArg> args;
    };

    ScriptCallRecorder() {
        calls.clear();
        Qel::setScriptCaller(&record);
    }
    ~ScriptCallRecorder() { Qel::setScriptCaller(nullptr); }

    static Qel::ScriptCallResult record(Qel::Entity entity, std::string_view function,
                                        std::span<const Qel::ScriptArg> args) {
        calls.push_back({entity, std::string(function), {args.begin(), args.end()}});
        return Qel::ScriptCallResult::Called;
    }

    static inline std::vector<Call> calls;
};

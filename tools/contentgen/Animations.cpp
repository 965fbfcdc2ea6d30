// Animation clips and animator controllers ("Assets/JSON"). Characters move by physics and
// scripts, so clips only change the sprite frame and the colour: a position or scale track would
// pin a moving entity to the clip's keyframes.
#include "CharacterArt.h"
#include "Content.h"

#include <filesystem>
#include <string>
#include <vector>

namespace ContentGen {

namespace {

/// A frame's texture rectangle on a sheet of equal columns laid in one row.
JsonValue spriteKey(double time, const std::vector<std::string>& sheet, const std::string& frame) {
    size_t column = 0;
    while (column < sheet.size() && sheet[column] != frame)
        ++column;
    const double width = 1.0 / static_cast<double>(sheet.size());
    return JsonValue::object()
        .set("time", time)
        .set("uvOffsetX", width * static_cast<double>(column))
        .set("uvOffsetY", 0.0)
        .set("uvSizeX", width)
        .set("uvSizeY", 1.0);
}

JsonValue colorKey(double time, double r, double g, double b, double a) {
    return JsonValue::object()
        .set("time", time)
        .set("colorR", r)
        .set("colorG", g)
        .set("colorB", b)
        .set("colorA", a);
}

struct Clip {
    std::string name;
    bool loop;
    /// Seconds each sprite frame shows.
    double frameTime;
    std::vector<std::string> frames;
    /// Colour keyframes, linear; empty for none.
    std::vector<JsonValue> colors;
};

/// The sprite track steps through the frames; a closing key repeats the last frame at the clip's
/// end, so the last frame shows for its full time before a loop restarts.
JsonValue clipFile(const Clip& clip, const std::vector<std::string>& sheet) {
    const double end = clip.frameTime * static_cast<double>(clip.frames.size());
    JsonValue frames = JsonValue::array();
    for (size_t i = 0; i < clip.frames.size(); ++i)
        frames.push(spriteKey(clip.frameTime * static_cast<double>(i), sheet, clip.frames[i]));
    frames.push(spriteKey(end, sheet, clip.frames.back()));
    JsonValue file = JsonValue::object();
    file.set("config", JsonValue::object().set("isLoop", clip.loop).set("start", 0.0).set("end", end));
    file.set("spriteFrames",
             JsonValue::object().set("interpolateType", "step").set("frames", std::move(frames)));
    if (!clip.colors.empty()) {
        JsonValue colors = JsonValue::array();
        for (const JsonValue& key : clip.colors)
            colors.push(key);
        file.set("colorFrames",
                 JsonValue::object().set("interpolateType", "linear").set("frames", std::move(colors)));
    }
    return file;
}

struct Link {
    const char* condition;
    const char* target;
};

struct State {
    const char* name;
    std::string clip;
    double speed;
    std::vector<Link> links;
};

JsonValue controllerFile(const char* defaultState, const std::vector<State>& states) {
    JsonValue list = JsonValue::array();
    for (const State& state : states) {
        JsonValue links = JsonValue::array();
        for (const Link& link : state.links)
            links.push(JsonValue::object().set("targetState", link.target).set("name", link.condition));
        list.push(JsonValue::object()
                      .set("name", state.name)
                      .set("clip", state.clip)
                      .set("playbackSpeed", state.speed)
                      .set("transition", std::move(links)));
    }
    return JsonValue::object()
        .set("animationStates", JsonValue::object().set("state", std::move(list)))
        .set("config", JsonValue::object().set("defaultState", defaultState));
}

void save(Content& content, const std::string& file, const JsonValue& value) {
    const std::filesystem::path folder = content.assets() / "JSON";
    std::filesystem::create_directories(folder);
    if (!value.writeFile(folder / file)) content.fail("cannot write " + file);
}

void saveClips(Content& content, const std::vector<Clip>& clips, const std::vector<std::string>& sheet) {
    for (const Clip& clip : clips)
        save(content, clip.name + ".anim", clipFile(clip, sheet));
}

/// Every state may move to every other on that state's condition; none moves to itself, which
/// would pin its clip to the first frame while the condition stays raised.
std::vector<Link> linksFrom(const char* from,
                            const std::vector<std::pair<const char*, const char*>>& states) {
    std::vector<Link> links;
    for (const auto& [name, condition] : states)
        if (std::string(name) != from) links.push_back({condition, name});
    return links;
}

void player(Content& content) {
    saveClips(content,
              {{"PlayerIdle", true, 0.5, {"Idle0", "Idle1"}, {}},
               {"PlayerWalk", true, 0.12, {"Walk0", "Walk1", "Walk2", "Walk3"}, {}},
               // A red flash that returns to the sprite's own colours.
               {"PlayerHurt",
                false,
                0.4,
                {"Hurt"},
                {colorKey(0.0, 1.0, 0.35, 0.3, 1.0), colorKey(0.4, 1.0, 1.0, 1.0, 1.0)}},
               {"PlayerDown",
                false,
                0.6,
                {"Down"},
                {colorKey(0.0, 1.0, 1.0, 1.0, 1.0), colorKey(0.6, 0.6, 0.6, 0.6, 1.0)}}},
              kPlayerFrames);
    const std::vector<std::pair<const char*, const char*>> states{
        {"Idle", "isIdle"}, {"Walk", "isWalk"}, {"Hurt", "isHurt"}, {"Down", "isDown"}};
    // Down is final: nothing leads out of it.
    save(content, "playerAnimController.animcontroller",
         controllerFile("Idle", {{"Idle", "PlayerIdle", 1.0, linksFrom("Idle", states)},
                                 {"Walk", "PlayerWalk", 1.0, linksFrom("Walk", states)},
                                 {"Hurt", "PlayerHurt", 1.0, linksFrom("Hurt", states)},
                                 {"Down", "PlayerDown", 1.0, {}}}));
}

void hammer(Content& content) {
    // The aim script turns and places the hammer every frame, so its clips touch only the colour:
    // it stays as drawn while idle and glows hot for a moment when it swings.
    const std::vector<std::string> sheet{"Hammer"};
    saveClips(content,
              {{"HammerIdle", true, 1.0, {"Hammer"}, {}},
               {"HammerSwing",
                false,
                0.25,
                {"Hammer"},
                {colorKey(0.0, 1.0, 1.0, 1.0, 1.0), colorKey(0.08, 1.0, 0.7, 0.4, 1.0),
                 colorKey(0.25, 1.0, 1.0, 1.0, 1.0)}}},
              sheet);
    save(content, "hammerAnimController.animcontroller",
         controllerFile("Idle", {{"Idle", "HammerIdle", 1.0, {{"isSwing", "Swing"}}},
                                 {"Swing", "HammerSwing", 1.0, {{"isIdle", "Idle"}}}}));
}

void cinderling(Content& content) {
    saveClips(content,
              {{"CinderlingIdle", true, 0.4, {"Idle0", "Idle1"}, {}},
               {"CinderlingChase", true, 0.1, {"Move0", "Move1", "Move2"}, {}},
               {"CinderlingAttack", true, 0.3, {"Attack0", "Attack1"}, {}},
               // Burns out: the last frame fades to transparent.
               {"CinderlingDeath",
                false,
                0.8,
                {"Death"},
                {colorKey(0.0, 1.0, 1.0, 1.0, 1.0), colorKey(0.8, 0.3, 0.1, 0.05, 0.0)}}},
              kEnemyFrames);
    const std::vector<std::pair<const char*, const char*>> states{
        {"Idle", "isIdle"}, {"Chase", "isChase"}, {"Attack", "isAttack"}, {"Death", "isDeath"}};
    save(content, "cinderlingAnimController.animcontroller",
         controllerFile("Idle", {{"Idle", "CinderlingIdle", 1.0, linksFrom("Idle", states)},
                                 {"Chase", "CinderlingChase", 1.0, linksFrom("Chase", states)},
                                 {"Attack", "CinderlingAttack", 1.0, linksFrom("Attack", states)},
                                 {"Death", "CinderlingDeath", 1.0, {}}}));
}

} // namespace

void makeAnimations(Content& content) {
    player(content);
    hammer(content);
    cinderling(content);
}

} // namespace ContentGen

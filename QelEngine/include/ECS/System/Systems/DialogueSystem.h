#pragma once

#include "ECS/System/ISystem.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace Qel {

class Message;

/// Shows conversations: two speaker portraits, a speech bubble and a line of text that types
/// itself out. The lines come from the script "DialogueScript" on the text entity, which drives
/// the system through setDialogueText, startDialogue and stopDialogue, and whose setNextDialogue
/// is called when the player clicks past a finished line. While a conversation runs the game is
/// paused through the "PauseSystem" broadcast. Its TypeName text is "DialogueSystem".
///
/// Its signature is empty, which would match every entity: the set holds only the four entities
/// it creates for each scene.
class DialogueSystem : public ISystem {
public:
    enum Part : size_t { SpeakerLHS, SpeakerRHS, SpeechBubble, SpeechText, PartCount };

    /// 32 characters per second.
    static constexpr float kSecondsPerCharacter = 0.03125f;

    ~DialogueSystem() override;

    /// Strong assertion when another DialogueSystem is loaded; listens for "UnPauseSystem".
    void Load() override;
    /// Destroys what the previous scene left in the set and creates the four entities, hidden.
    void Initialize() override;
    /// Types the line, and on a left click completes it or asks for the next one. dt: seconds.
    void Update(float dt) override;
    /// Drops an entity of the set that no longer exists; never adds one.
    void EntitySignatureChanged(Entity entity) override;
    void Unload() override;

    /// A string or number becomes the new line, typed from the start; nothing clears the line.
    void setDialogueText(const std::optional<std::string>& text);
    void startDialogue();
    void stopDialogue();
    /// Calls the script's setNextDialogue.
    void nextLine();

    bool isActive() const { return dialogueActive; }
    bool isTyping() const { return typing; }
    const std::string& line() const { return currentLine; }
    /// MAX_ENTITIES while the part does not exist.
    Entity entity(Part part) const { return parts[part]; }

    /// The loaded DialogueSystem, or null.
    static DialogueSystem* active() { return current; }

private:
    static void onUnPause(Message& message);
    /// Adds `seconds` of typing and appends the characters now due to the shown text.
    void type(float seconds);
    void createParts();
    void show(bool shown);
    void emptyShownText();

    std::string currentLine;
    float shownTime = 0.0f;
    bool dialogueActive = false;
    bool typing = false;
    std::array<Entity, PartCount> parts{MAX_ENTITIES, MAX_ENTITIES, MAX_ENTITIES, MAX_ENTITIES};

    static inline DialogueSystem* current = nullptr;
};

} // namespace Qel

#pragma once

#include <string>
#include <vector>

#include "components/TextLine.h"
#include "core/Behavior.h"
#include "core/Handle.h"
#include "core/Vector2.h"
#include "player/HudMessage.h"

// A line of text ("Saved to slot 1") shown just above the submarine, where the player is looking,
// on a dark backing: at full strength for "FadeTime" seconds, fading out over the last part of it.
// While a menu holds the game it shows low on the side panel, beside the menu. One
// message at a time: a new one replaces the one showing. Reached as WellKnown<HudMessageFlashBhv>,
// and as WellKnown<HudMessageSink> while it lives, so showHudMessage writes to it.
class HudMessageFlashBhv : public Behavior, public HudMessageSink {
public:
    static constexpr const char* ClassName = "HudMessageFlashBhv";
    // The last seconds of a message, in which it fades out.
    static constexpr float FadeOutTime = 0.6f;
    // Screen pixels between the submarine's centre and the message's centre.
    static constexpr float RiseAboveSub = 44.0f;
    // The world view (screen pixels) the message stays inside, and where it goes while a menu holds
    // the game: low on the side panel, which the menu's dimming does not cover (what lies under the
    // dimming is hidden, not dimmed).
    static constexpr float ViewWidth = 960.0f;
    static constexpr float ViewHeight = 720.0f;
    static constexpr Vector2 UnderMenu{1120.0f, 686.0f};

    HudMessageFlashBhv();
    // Clears its registrations where they are still its own.
    ~HudMessageFlashBhv() override;

    // Finds "HudText" and "Backdrop" and registers itself, also as the sink of showHudMessage.
    void Start() override;
    // Places the message, fades it in its last moments; hidden when its time is up.
    void Update() override;

    // Shows the text at full strength at once for "FadeTime" seconds of updates.
    void Show(const std::string& text);
    // The same for the given seconds (at least a moment).
    void ShowFor(const std::string& text, float seconds);
    void ShowHudMessage(const std::string& text) override;
    void ShowHudMessageFor(const std::string& text, float seconds) override;

    // Where the message's centre goes: above the submarine in the world view, kept inside it, or
    // under the menu while the game is held.
    Vector2 Anchor() const;

    float FadeTime = 2.0f;
    float TimeLeft = 0.0f;

private:
    GameObject* Line();     // "HudText", looked for again when the editor removed or rebuilt it
    GameObject* Backdrop(); // "Backdrop", optional
    void Place();
    void SetAlpha(unsigned char alpha);

    Handle<GameObject> line_;
    Handle<GameObject> backdrop_;
    std::vector<TextLine> lines_; // kept so measuring a new message allocates rarely
    float textWidth_ = 0.0f;
    float textHeight_ = 0.0f;
    unsigned char backdropAlpha_ = 0; // the backing's own opacity, from the prefab
};

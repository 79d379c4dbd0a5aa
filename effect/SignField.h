#pragma once

#include "effect/Sign.h"
#include "images/TextureImage.h"

#include <cstdint>

class Scene;
struct MirrorSet;

// The sign atlas and the logo, in that order.
struct SignTextures {
    TextureImage atlas;
    TextureImage logo;
};

// Eight signs crossing the wedge, with a shared scale and spin that drift at
// respawn events, and the faint logo strip. One exists at a time.
class SignField {
  public:
    static constexpr int signCount = 8;

    explicit SignField(Scene* scene);
    ~SignField();
    SignField(const SignField&) = delete;
    SignField& operator=(const SignField&) = delete;

    void init();
    void loadTextures();
    void update();
    // One step of the drift; on every respawn event, before the sign respawns.
    void driftParameters();

    void beginDraw();
    // Marks the signs that reach into the wedge of `set` (every copy's wedge
    // in model space), or every sign when there is no set (mirrors off): the
    // others would be clipped away whole in every copy.
    void selectSignsIn(const MirrorSet* set);
    // The selected signs, in their order.
    void drawSigns();
    void endDraw();
    bool supportsMirrors() const { return true; }

    Sign* signs = nullptr;
    Scene* ownerScene;
    float baseScale; // 0.25..1
    float baseSpin;  // degrees, 0..360
    int32_t driftCount = 0;
    int32_t driftLength = 0; // 0 at start, so the first respawn event retargets
    bool uniformMode;
    float startScale = 0.0f;
    float startSpin = 0.0f;
    float deltaScale = 0.0f;
    float deltaSpin = 0.0f;
    int32_t currentTile = 0;
    int32_t tileCount = 16;
    SignTextures* textures = nullptr;
    bool randomTiles = false; // false only for the start-up placement

  private:
    void retarget();

    bool selected[signCount] = {};
};

// The one field, set by its constructor; signs reach the scene through it.
extern SignField* currentSignField;

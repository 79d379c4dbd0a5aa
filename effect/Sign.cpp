#include "effect/Sign.h"

#include "effect/SignField.h"
#include "scene/RandomFraction.h"
#include "scene/Scene.h"

namespace {

constexpr int32_t atlasColumns = 8;
constexpr int32_t cellSize = 128;    // texels
constexpr int32_t pictureInset = 1;  // texels from the cell's left and top edge
constexpr int32_t pictureSize = 126; // texels
constexpr float scaleOffset = 0.25f;

// Texture coordinate of texel count `texels` on a side of `size` texels. An
// atlas that failed to build has size 0; its signs then sample coordinate 0
// rather than dividing by zero.
float textureCoordinate(int32_t texels, int32_t size) {
    return size > 0 ? static_cast<float>(texels) / static_cast<float>(size) : 0.0f;
}

} // namespace

void Sign::init(float startPhase) {
    phase = startPhase;
    respawn();
}

void Sign::respawn() {
    SignField& field = *currentSignField;
    birthTime = field.ownerScene->sceneTime() - phase * crossingTime;
    // Two statements: the operands of one expression may be drawn in either order.
    const int32_t firstBit = randomChance(0.125) ? 1 : 0;
    const int32_t secondBit = randomChance(0.125) ? 2 : 0;
    blink = firstBit + secondBit;
    if (field.uniformMode) {
        spin = field.baseSpin;
        scale = field.baseScale + scaleOffset;
        tile = field.currentTile;
    } else {
        spin = static_cast<float>(2.0 * randomFraction() * field.baseSpin);
        scale = static_cast<float>(randomFraction() * field.baseScale + scaleOffset);
        tile = field.randomTiles ? randomPick(field.tileCount) : field.currentTile;
    }
    showCell(tile, field.textures->atlas);
    position.y = static_cast<float>(-2.4 * randomFraction());
    position.z = static_cast<float>(2.0 * randomFraction());
}

void Sign::showCell(int32_t cell, const TextureImage& atlas) {
    tile = cell;
    u = textureCoordinate((cell % atlasColumns) * cellSize + pictureInset, atlas.width);
    v = textureCoordinate((cell / atlasColumns) * cellSize + pictureInset, atlas.height);
    du = textureCoordinate(pictureSize, atlas.width);
    dv = textureCoordinate(pictureSize, atlas.height);
}

void Sign::update() {
    SignField& field = *currentSignField;
    const float edge = field.ownerScene->currentMirrorSet->edgeLength;
    phase = (field.ownerScene->sceneTime() - birthTime) * phaseRate;
    if (phase > 1.0f) {
        phase -= static_cast<float>(static_cast<int64_t>(phase));
        field.driftParameters();
        respawn();
    }
    // Far out in scene time the single-precision birth time can round past the
    // scene time; a crossing never runs backwards from its start.
    if (phase < 0.0f) {
        phase = 0.0f;
    }
    position.x = edge * phase * 3.0f - edge;
    rotation = spin * phase;
}

#include "effect/SignField.h"

#include "scene/OpenGL.h"
#include "scene/RandomFraction.h"
#include "scene/Scene.h"

SignField* currentSignField = nullptr;

SignField::SignField(Scene* scene) : ownerScene(scene) {
    currentSignField = this;
    baseScale = static_cast<float>(0.75 * randomFraction() + 0.25);
    baseSpin = static_cast<float>(360.0 * randomFraction());
    uniformMode = randomChance(0.5);
}

SignField::~SignField() {
    if (textures != nullptr) {
        glDeleteTextures(1, &textures->atlas.texture);
        glDeleteTextures(1, &textures->logo.texture);
        delete textures;
        textures = nullptr;
    }
    delete[] signs;
}

void SignField::init() {
    signs = new Sign[signCount];
    loadTextures();
    for (int k = 0; k < signCount; ++k) {
        signs[k].init(static_cast<float>(k) * 0.14285715f); // sign 7 starts at exactly 1
    }
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
}

// The loaders' results are not needed: a picture that fails keeps texture 0
// and the field draws on with it.
void SignField::loadTextures() {
    currentTile = randomPick(tileCount);
    textures = new SignTextures{};
    loadAtlasTexture(&textures->atlas, "JPEG_TAVO_RGB", "JPEG_TAVO_MASK");
    loadSingleTexture(&textures->logo, "LOGO_MASK");
    glDisable(GL_LIGHTING);
}

void SignField::update() {
    randomTiles = true;
    for (int k = 0; k < signCount; ++k) {
        signs[k].update();
    }
}

void SignField::driftParameters() {
    ++driftCount;
    if (driftCount > driftLength) {
        retarget();
    }
    const float s = smoothstep(static_cast<float>(driftCount) / static_cast<float>(driftLength));
    baseScale = startScale + s * deltaScale;
    baseSpin = startSpin + s * deltaSpin;
}

void SignField::retarget() {
    driftCount = 0;
    driftLength = 1 + randomPick(8);
    uniformMode = randomChance(0.5);
    currentTile = randomPick(tileCount);
    if (randomChance(0.1)) {
        ownerScene->pickRandomMirrorSet(true);
    }
    startScale = baseScale;
    if (randomChance(0.5)) {
        const double lift = baseScale < 0.625f ? 0.375 : 0.0;
        deltaScale = static_cast<float>(0.375 * randomFraction() + lift + 0.25) - startScale;
    } else {
        deltaScale = 0.0f;
    }
    startSpin = baseSpin;
    if (randomChance(0.5)) {
        const double lift = baseSpin > 180.0f ? 0.0 : 180.0;
        deltaSpin = static_cast<float>(180.0 * randomFraction() + lift) - startSpin;
    } else {
        deltaSpin = 0.0f;
    }
}

#pragma once

#include "Game/GameScreen.h"

#include <vector>

class Actor;

// The paged tutorial: the pictures Resources/Images/Tutorial_001.png onwards, one per
// press of space (or pad A). The first press shows page 1 again; the press after the
// last page returns to the menu.
class SuitScreenTutorial : public GameScreen
{
public:
    void Start() override;
    void Stop() override;
    void Update(float dt) override;
    void Render() override;
    // The keys of the page, over its picture: the pictures leave room for them, since
    // they name the keys the bindings give, and the pad's buttons only while a pad is there.
    void RenderOverlay() override;

    // The picture shown, counting from 1.
    int ShownPage() const;
    // Where the pictures leave room for the keys, in the picture's pixels: the walking keys on
    // the first page, the lying keys on the second, the page-turning keys at the bottom
    // right of every page.
    static constexpr float KeysLeft = 592.0f;
    static constexpr float WalkKeysTop = 430.0f;
    static constexpr float LieKeysTop = 510.0f;
    static constexpr float FooterKeysTop = 686.0f;
    static constexpr float FooterRight = 984.0f;

    // Watched: a script or a reset may delete it first.
    ElementRef<Actor> image;
    float inputDelay = 0.0f;
    int page = 0;
    int pageCount = 0;

private:
    // The keys that turn the page: the lying keys, and the pad's when it is there.
    static std::vector<int> PageKeys();
    void DrawWalkKeys() const;
    void DrawLieKeys() const;
    void DrawFooter() const;
};

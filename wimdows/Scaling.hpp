#pragma once

#include "wimdows/Sdl.hpp"

#include <array>
#include <span>
#include <vector>

// The caller's picture on a window of any size: scaled uniformly to the largest size that
// fits, centred, black around it.
namespace Wimdows {

struct Viewport {
    int pictureW = 0;
    int pictureH = 0;
    SDL_Rect area{}; // where the picture lies on the window
};

Viewport Fit(int pictureW, int pictureH, int windowW, int windowH);

// The picture pixel under a window position, negative above and left of the picture.
SDL_Point ToPicture(const Viewport& view, int x, int y);

// Puts parts of a picture on a window surface through one viewport: sharp (nearest pixel) at
// whole multiples, smooth (bilinear) otherwise. Every window pixel is worked out from the
// whole picture, so parts shown one at a time meet without seams.
class Scaler {
  public:
    // FALSE when nothing changed.
    bool Fit(int pictureW, int pictureH, int windowW, int windowH);
    const Viewport& View() const { return view; }

    // The window pixels whose colour depends on `part` of the picture.
    SDL_Rect Covering(const SDL_Rect& part) const;
    // `part` of the window, within the viewport's area, from the picture.
    void Draw(const SDL_Surface* picture, SDL_Surface* window, const SDL_Rect& part);
    // All of the window: the picture and black bars.
    void DrawAll(const SDL_Surface* picture, SDL_Surface* window);

  private:
    // Source pixels of one window column or row and the weight (0..256) of the second.
    struct Tap {
        int first;
        int second;
        Uint32 weight;
    };

    // A picture row scaled across, for the columns of one part.
    struct Line {
        int source = -1;
        std::vector<Uint32> pixels;
    };

    bool Unscaled() const;
    void Copy(const SDL_Surface* picture, SDL_Surface* window, const SDL_Rect& part) const;
    void Stretch(const SDL_Surface* picture, SDL_Surface* window, const SDL_Rect& part);
    const Uint32* Across(const SDL_Surface* picture, int source, int keep,
                         std::span<const Tap> taps);

    Viewport view;
    int windowW = -1;
    int windowH = -1;
    bool smooth = false;
    std::vector<Tap> columns; // by window x - area.x
    std::vector<Tap> rows;    // by window y - area.y
    // Smooth rows mix two picture rows, and the next window row mostly the same two again.
    std::array<Line, 2> lines;
};

} // namespace Wimdows

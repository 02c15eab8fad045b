#include "wimdows/Presenter.hpp"

#include "wimdows/Pixels.hpp"
#include "wimdows/Shared.hpp"

namespace Wimdows {

void Presenter::Paint() {
    const SDL_Surface* picture = nullptr;
    {
        const std::scoped_lock guard(windowMutex);
        canvas->dirty.clear();
        CopyRect(canvas->shown.get(), canvas->presented.get(), {0, 0, pictureW, pictureH});
        picture = canvas->presented.get();
    }
    SDL_Surface* pixels = screen.Get();
    if (pixels == nullptr) {
        return;
    }
    scaler.Fit(pictureW, pictureH, pixels->w, pixels->h);
    scaler.DrawAll(picture, pixels);
    screen.UpdateAll();
}

void Presenter::Present() {
    const SDL_Surface* picture = nullptr;
    {
        const std::scoped_lock guard(windowMutex);
        canvas->presentRequested = false;
        parts.swap(canvas->dirty);
        canvas->dirty.clear();
        for (const SDL_Rect& part : parts) {
            CopyRect(canvas->shown.get(), canvas->presented.get(), part);
        }
        picture = canvas->presented.get();
    }
    SDL_Surface* pixels = parts.empty() ? nullptr : screen.Get();
    if (pixels == nullptr) {
        return;
    }
    // The window has changed size since the last paint, and the bars with it.
    if (scaler.Fit(pictureW, pictureH, pixels->w, pixels->h)) {
        scaler.DrawAll(picture, pixels);
        screen.UpdateAll();
        return;
    }
    for (SDL_Rect& part : parts) {
        part = scaler.Covering(part);
        scaler.Draw(picture, pixels, part);
    }
    screen.Update(parts);
}

} // namespace Wimdows

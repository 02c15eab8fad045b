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
    SDL_Surface* screen = SDL_GetWindowSurface(window);
    if (screen == nullptr) {
        return;
    }
    scaler.Fit(pictureW, pictureH, screen->w, screen->h);
    scaler.DrawAll(picture, screen);
    SDL_UpdateWindowSurface(window);
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
    SDL_Surface* screen = parts.empty() ? nullptr : SDL_GetWindowSurface(window);
    if (screen == nullptr) {
        return;
    }
    // The window has changed size since the last paint, and the bars with it.
    if (scaler.Fit(pictureW, pictureH, screen->w, screen->h)) {
        scaler.DrawAll(picture, screen);
        SDL_UpdateWindowSurface(window);
        return;
    }
    for (SDL_Rect& part : parts) {
        part = scaler.Covering(part);
        scaler.Draw(picture, screen, part);
    }
    SDL_UpdateWindowSurfaceRects(window, parts.data(), static_cast<int>(parts.size()));
}

} // namespace Wimdows

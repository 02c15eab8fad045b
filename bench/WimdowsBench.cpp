#include "wimdows/Scaling.hpp"
#include "wimdows/Wimdows.hpp"
#include "wimdows/WimdowsTesting.hpp"

#include <SDL.h>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

// Drawing on a 1000 x 700 window of SDL's dummy driver, each operation including its copy to
// the window surface.
namespace {

struct Handles {
    std::uint32_t tile = 0;
    std::uint32_t mask = 0;
    std::uint32_t background = 0;
} handles;

std::string SaveBmp(const std::filesystem::path& dir, const std::string& name, int width,
                    int height, const std::function<Uint32(int, int)>& pixel) {
    const Wimdows::SurfacePtr surface{
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_XRGB8888)};
    for (int j = 0; j < height; ++j) {
        auto* row =
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + j * surface->pitch);
        for (int i = 0; i < width; ++i) {
            row[i] = pixel(i, j);
        }
    }
    const std::string file = (dir / name).string();
    SDL_SaveBMP(surface.get(), file.c_str());
    return file;
}

void DrawMaskBitmap30(benchmark::State& state) {
    int x = 0;
    for (auto _ : state) {
        Wimdows::DrawMaskBitmap(handles.tile, handles.mask, x, 300);
        x = (x + 30) % 960;
    }
}
BENCHMARK(DrawMaskBitmap30);

void DrawBitmap30(benchmark::State& state) {
    int x = 0;
    for (auto _ : state) {
        Wimdows::DrawBitmap(handles.tile, x, 300);
        x = (x + 30) % 960;
    }
}
BENCHMARK(DrawBitmap30);

void DrawBitmapFull(benchmark::State& state) {
    for (auto _ : state) {
        Wimdows::DrawBitmap(handles.background, 0, 0);
    }
}
BENCHMARK(DrawBitmapFull);

void Text20(benchmark::State& state) {
    Wimdows::SetFont(Wimdows::FONT_ANSI_FIXED, 0);
    for (auto _ : state) {
        Wimdows::Text("Portions of fries: 7", 630, 40);
    }
}
BENCHMARK(Text20);

void UpdateWindowNothingNew(benchmark::State& state) {
    Wimdows::UpdateWindow();
    Wimdows::Testing::WaitUntilHandled();
    for (auto _ : state) {
        Wimdows::UpdateWindow();
    }
}
BENCHMARK(UpdateWindowNothingNew);

// The window thread's share of a present on a larger window: the changed part of the picture
// (all of it, or one cell) scaled onto the window surface. Arguments: window width and height,
// side of the part (0 for the whole picture).
void ScaledPresent(benchmark::State& state) {
    const int side = static_cast<int>(state.range(2));
    Wimdows::Scaler scaler;
    scaler.Fit(1000, 700, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    const Wimdows::SurfacePtr picture = Wimdows::MakeSurface(1000, 700);
    const Wimdows::SurfacePtr window =
        Wimdows::MakeSurface(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (int j = 0; j < 700; ++j) {
        for (int i = 0; i < 1000; ++i) {
            static_cast<Uint32*>(picture->pixels)[j * picture->pitch / 4 + i] =
                static_cast<Uint32>(i * 263 ^ j * 71);
        }
    }
    const SDL_Rect part = side == 0 ? SDL_Rect{0, 0, 1000, 700} : SDL_Rect{300, 300, side, side};
    const SDL_Rect covering = scaler.Covering(part);
    for (auto _ : state) {
        scaler.Draw(picture.get(), window.get(), covering);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ScaledPresent)
    ->Args({2000, 1400, 0})
    ->Args({1500, 1050, 0})
    ->Args({3840, 2160, 0})
    ->Args({2000, 1400, 30})
    ->Args({1500, 1050, 30})
    ->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    std::string pattern =
        (std::filesystem::temp_directory_path() / "wimdows-bench-XXXXXX").string();
    const std::filesystem::path dir = mkdtemp(pattern.data());
    Wimdows::Window("Bench", 1000, 700);
    if (!Wimdows::WindowOpen()) {
        return 1;
    }
    handles.tile = Wimdows::LoadBitmap(
        SaveBmp(dir, "tile.bmp", 30, 30, [](int i, int j) { return Uint32(i * 8 << 16 | j * 8); }),
        30, 30);
    handles.mask = Wimdows::LoadBitmap(
        SaveBmp(dir, "mask.bmp", 30, 30,
                [](int i, int j) {
                    return (i - 15) * (i - 15) + (j - 15) * (j - 15) < 200 ? 0xFFFFFFU : 0U;
                }),
        30, 30);
    handles.background =
        Wimdows::LoadBitmap(SaveBmp(dir, "background.bmp", 1000, 700,
                                    [](int i, int j) { return Uint32((i ^ j) & 0xFF); }),
                            1000, 700);
    std::filesystem::remove_all(dir);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Wimdows::KillWindow();
    return 0;
}

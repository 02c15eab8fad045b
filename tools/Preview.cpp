// Composes the screens the way the game draws them (pictures loaded at their
// game sizes, masked sprites, panels with their texts) and saves each as a PNG,
// so the artwork can be judged as a player sees it.
//
// usage: meandor_preview RUNTIME_DIR OUTPUT_DIR

#include "game/Assets.hpp"
#include "game/Layout.hpp"
#include "wimdows/Sdl.hpp"

#include <SDL.h>
#include <array>
#include <cairo.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace Meandor;
using Surface = Wimdows::SurfacePtr;

constexpr int Cell = CelGrootte;

Surface Blank(int w, int h) {
    Surface s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!s) {
        throw std::runtime_error(SDL_GetError());
    }
    SDL_FillRect(s.get(), nullptr, SDL_MapRGB(s->format, 0, 0, 0));
    return s;
}

// Loads a picture at the size the game asks for, converted like the game's
// back buffer.
Surface Load(const fs::path& file, int w, int h) {
    Surface raw(SDL_LoadBMP(file.c_str()));
    if (!raw) {
        throw std::runtime_error(file.string() + ": " + SDL_GetError());
    }
    Surface converted(SDL_ConvertSurfaceFormat(raw.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    Surface sized = Blank(w, h);
    SDL_BlitScaled(converted.get(), nullptr, sized.get(), nullptr);
    return sized;
}

class Screen {
  public:
    explicit Screen(fs::path root, int w = VensterMaat.breedte, int h = VensterMaat.hoogte)
        : folder(std::move(root)), buffer(Blank(w, h)), width(w), height(h) {}

    // Copies another screen here, enlarged without smoothing.
    void Paste(const Screen& small, int x, int y, int zoom) {
        SDL_Rect at{x, y, small.width * zoom, small.height * zoom};
        SDL_BlitScaled(small.buffer.get(), nullptr, buffer.get(), &at);
    }

    void Draw(const std::string& file, int w, int h, int x, int y) {
        Surface s = Load(folder / file, w, h);
        SDL_Rect at{x, y, w, h};
        SDL_BlitSurface(s.get(), nullptr, buffer.get(), &at);
    }
    void Draw(const std::string& file, Maat size, Plek at) {
        Draw(file, size.breedte, size.hoogte, at.x, at.y);
    }

    // Copies the picture's pixels where the mask is white.
    void DrawMasked(const SpriteBestand& sprite, int size, Plek at) {
        DrawMasked(sprite.beeld, sprite.masker, size, size, at.x, at.y);
    }
    void DrawMasked(const std::string& file, const std::string& mask, int w, int h, int x, int y) {
        Surface image = Load(folder / file, w, h);
        Surface m = Load(folder / mask, w, h);
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                if (x + i < 0 || y + j < 0 || x + i >= width || y + j >= height) {
                    continue;
                }
                if ((Pixel(m.get(), i, j) & 0xFFFFFFU) != 0) {
                    Pixel(buffer.get(), x + i, y + j) = Pixel(image.get(), i, j);
                }
            }
        }
    }

    // Black text, top-left of its cell at (x, y), in a fixed-pitch face.
    void Text(const std::string& text, Plek at) {
        auto* cairo = Cairo();
        cairo_t* cr = cairo_create(cairo);
        cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 13);
        cairo_font_extents_t fe{};
        cairo_font_extents(cr, &fe);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, at.x, at.y + fe.ascent);
        cairo_show_text(cr, text.c_str());
        cairo_destroy(cr);
        cairo_surface_destroy(cairo);
    }

    void Save(const fs::path& png) {
        auto* cairo = Cairo();
        cairo_surface_write_to_png(cairo, png.c_str());
        cairo_surface_destroy(cairo);
    }

  private:
    static std::uint32_t& Pixel(SDL_Surface* s, int x, int y) {
        return *reinterpret_cast<std::uint32_t*>(static_cast<std::uint8_t*>(s->pixels) +
                                                 y * s->pitch + x * 4);
    }
    cairo_surface_t* Cairo() {
        return cairo_image_surface_create_for_data(static_cast<unsigned char*>(buffer->pixels),
                                                   CAIRO_FORMAT_RGB24, width, height,
                                                   buffer->pitch);
    }

    fs::path folder;
    Surface buffer;
    int width;
    int height;
};

using Maze = std::vector<std::string>; // maze[x - 1][y - 1], a column a string

// A maze of our own when the level's file is not there yet.
Maze SampleMaze(unsigned seed) {
    Maze maze(Kolommen, std::string(Rijen, '-'));
    std::vector<std::array<int, 2>> stack{{2, 2}};
    maze[1][1] = ' ';
    auto next = [&seed]() {
        seed = seed * 1103515245U + 12345U;
        return (seed >> 16) & 0x7FFFU;
    };
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        std::vector<std::array<int, 2>> options;
        for (const auto& [dx, dy] :
             std::array<std::array<int, 2>, 4>{{{2, 0}, {-2, 0}, {0, 2}, {0, -2}}}) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (nx >= 2 && nx <= 28 && ny >= 2 && ny <= 20 && maze[nx - 1][ny - 1] != ' ') {
                options.push_back({nx, ny});
            }
        }
        if (options.empty()) {
            stack.pop_back();
            continue;
        }
        const auto [nx, ny] = options[next() % options.size()];
        maze[(x + nx) / 2 - 1][(y + ny) / 2 - 1] = ' ';
        maze[nx - 1][ny - 1] = ' ';
        stack.push_back({nx, ny});
    }
    for (int i = 0; i < 40; ++i) { // a few loops
        const int x = 3 + static_cast<int>(next() % 25);
        const int y = 2 + static_cast<int>(next() % 19);
        if ((x + y) % 2 == 1) {
            maze[x - 1][y - 1] = ' ';
        }
    }
    maze[0][19] = ' ';
    maze[28][19] = ' ';
    maze[29][19] = ' ';
    for (int placed = 0; placed < 10;) {
        const int x = 2 + static_cast<int>(next() % 27);
        const int y = 2 + static_cast<int>(next() % 19);
        if (maze[x - 1][y - 1] == ' ' && !(x == 2 && y == 2)) {
            maze[x - 1][y - 1] = 'f';
            ++placed;
        }
    }
    return maze;
}

Maze LoadMaze(const fs::path& file, unsigned level) {
    std::ifstream in(file);
    Maze maze;
    for (std::string line; maze.size() < Kolommen && std::getline(in, line);) {
        line.resize(Rijen, ' ');
        maze.push_back(line);
    }
    return maze.size() == Kolommen ? maze : SampleMaze(level * 7919U);
}

void GameScreen(const fs::path& root, const fs::path& out, int level) {
    const std::string n = std::to_string(level);
    const LevelBestanden& files = LevelBestand(static_cast<std::uint32_t>(level));
    const Maze maze = LoadMaze(root / files.doolhof, static_cast<unsigned>(level));
    Screen s(root);
    s.Draw(files.achtergrond, AchtergrondMaat, {0, 0});
    std::vector<Cel> blanks;
    for (std::uint32_t x = 1; x <= Kolommen; ++x) {
        for (std::uint32_t y = 1; y <= Rijen; ++y) {
            const char c = maze.at(x - 1).at(y - 1);
            if (IsMuurTeken(c)) {
                continue;
            }
            s.Draw(files.tegel, CelMaat, CelPlek({x, y}));
            if (c == FrietTeken) {
                s.DrawMasked(FrietBestand, Cell, CelPlek({x, y}));
            } else if (c == LeegTeken && y <= LaatsteRij && x > 2) {
                blanks.push_back({x, y});
            }
        }
    }
    auto at = [&blanks](std::size_t i) { return CelPlek(blanks.at(i * 7919 % blanks.size())); };
    s.DrawMasked(HamburgerBestand, Cell, at(3));
    s.DrawMasked(VlagBestand, Cell, at(11));
    for (std::size_t i = 20; i < 20 + static_cast<std::size_t>(5 + level); ++i) {
        s.DrawMasked(StrikBestand, Cell, at(i));
    }
    s.DrawMasked(level % 2 == 1 ? ZorpRechtsBestand : ZorpLinksBestand, Cell, CelPlek(StartCel));
    s.Draw(level == 5 ? DeurOpenBestand : DeurDichtBestand, CelMaat, DeurPlek);
    s.Draw(files.rechthoek, HartenPaneelMaat, HartenPaneelPlek);
    for (std::uint32_t heart = 1; heart <= 3 + static_cast<std::uint32_t>(level) / 2; ++heart) {
        s.DrawMasked(HartBestand, HartMaat.breedte, HartPlek(heart));
    }
    s.Draw(files.rechthoek, ScorePaneelMaat, ScorePaneelPlek);
    s.Text("Friet", ScoreTekstPlek);
    s.Text(std::to_string(level + 5), ScoreGetalPlek);
    s.Draw(files.rechthoek, HintPaneelMaat, HintPaneelPlek);
    // Even levels show the hint as it reads while the game is paused.
    s.Text(level % 2 == 0 ? "Press 's' to continue" : "Press 'p' to pause", HintTekstPlek);
    s.Save(out / ("game" + n + ".png"));
}

// A column of buttons as the menus place them; the second one lit, as under the mouse.
void Buttons(Screen& s, std::span<const KnopBestand> buttons, const MenuKolom& column) {
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const int y = column.y + column.stap * static_cast<int>(i);
        s.Draw(i == 1 ? buttons[i].aan : buttons[i].uit, KnopMaat, {column.x, y});
    }
}

void MenuScreens(const fs::path& root, const fs::path& out) {
    const std::array<KnopBestand, 4> start{StartKnop, InstructionsKnop, CreditsKnop, QuitKnop};
    const std::array<KnopBestand, 4> difficulty{EasyKnop, MediumKnop, HardKnop, BackKnop};
    for (const auto& [buttons, file] : {std::pair{start, "menu"}, {difficulty, "difficulty"}}) {
        Screen s(root);
        s.Draw(MenuAchtergrondBestand, VensterMaat, {0, 0});
        Buttons(s, buttons, StartMenuKolom);
        s.Save(out / (std::string(file) + ".png"));
    }
    for (const auto& [picture, file] :
         {std::pair{InstructiesBestand, "instructions"}, {CreditsBestand, "credits"}}) {
        Screen s(root);
        s.Draw(picture, VensterMaat, {0, 0});
        Buttons(s, std::array<KnopBestand, 2>{BackKnop, QuitKnop}, InfoMenuKolom);
        s.Save(out / (std::string(file) + ".png"));
    }
    std::vector<const char*> pictures;
    for (const LevelBestanden& level : levelBestanden) {
        pictures.push_back(level.provincie);
    }
    pictures.insert(pictures.end(), {GameOverBestand, EindBestand});
    for (const char* picture : pictures) {
        Screen s(root);
        s.Draw(picture, VensterMaat, {0, 0});
        s.Save(out / fs::path(picture).stem().concat(".png"));
    }
}

// Every sprite on every floor tile, and the panels at their three sizes, enlarged.
void SpriteSheet(const fs::path& root, const fs::path& out) {
    Screen sheet(root, 1000, 1000);
    for (std::uint32_t level = 1; level <= Levels; ++level) {
        const LevelBestanden& files = LevelBestand(level);
        for (std::size_t i = 0; i < spriteBestanden.size(); ++i) {
            const SpriteBestand& sprite = spriteBestanden.at(i);
            const int size =
                std::string_view(sprite.beeld) == HartBestand.beeld ? HartMaat.breedte : Cell;
            Screen cell(root, size, size);
            for (int y = 0; y < size; y += Cell) {
                for (int x = 0; x < size; x += Cell) {
                    cell.Draw(files.tegel, CelMaat, {x, y});
                }
            }
            cell.DrawMasked(sprite, size, {0, 0});
            sheet.Paste(cell, 10 + static_cast<int>(i) * 125,
                        10 + static_cast<int>(level - 1) * 125, size == Cell ? 4 : 2);
        }
    }
    for (const auto& [door, x] : {std::pair{DeurOpenBestand, 10}, {DeurDichtBestand, 135}}) {
        Screen cell(root, Cell, Cell);
        cell.Draw(door, CelMaat, {0, 0});
        sheet.Paste(cell, x, 640, 4);
    }
    for (std::uint32_t level = 1; level <= Levels; ++level) {
        const char* panel = LevelBestand(level).rechthoek;
        const int n = static_cast<int>(level - 1);
        const int y = 770 + n * 45;
        sheet.Draw(panel, HintPaneelMaat, {270, y});
        sheet.Text("Press 'p' to pause", {273, y + 10});
        sheet.Draw(panel, ScorePaneelMaat, {480 + (n % 3) * 170, 640 + (n / 3) * 110});
    }
    sheet.Save(out / "sprites.png");
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: meandor_preview RUNTIME_DIR OUTPUT_DIR\n";
        return 2;
    }
    try {
        const fs::path root = argv[1];
        const fs::path out = argv[2];
        fs::create_directories(out);
        for (int lvl = 1; lvl <= static_cast<int>(Levels); ++lvl) {
            GameScreen(root, out, lvl);
        }
        MenuScreens(root, out);
        SpriteSheet(root, out);
    } catch (const std::exception& e) {
        std::cerr << "meandor_preview: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

// Composes the screens the way the game draws them (pictures loaded at their
// game sizes, masked sprites, panels with their texts) and saves each as a PNG,
// so the artwork can be judged as a player sees it.
//
// usage: meandor_preview RUNTIME_DIR OUTPUT_DIR

#include <SDL.h>
#include <array>
#include <cairo.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SurfaceFree {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using Surface = std::unique_ptr<SDL_Surface, SurfaceFree>;

constexpr int kCell = 30;

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
    explicit Screen(fs::path root, int w = 1000, int h = 700)
        : root_(std::move(root)), buffer_(Blank(w, h)), w_(w), h_(h) {}

    // Copies another screen here, enlarged without smoothing.
    void Paste(const Screen& small, int x, int y, int zoom) {
        SDL_Rect at{x, y, small.w_ * zoom, small.h_ * zoom};
        SDL_BlitScaled(small.buffer_.get(), nullptr, buffer_.get(), &at);
    }

    void Draw(const std::string& file, int w, int h, int x, int y) {
        Surface s = Load(root_ / file, w, h);
        SDL_Rect at{x, y, w, h};
        SDL_BlitSurface(s.get(), nullptr, buffer_.get(), &at);
    }

    // Copies the picture's pixels where the mask is white.
    void DrawMasked(const std::string& file, const std::string& mask, int w, int h, int x, int y) {
        Surface image = Load(root_ / file, w, h);
        Surface m = Load(root_ / mask, w, h);
        for (int j = 0; j < h; ++j) {
            for (int i = 0; i < w; ++i) {
                if (x + i < 0 || y + j < 0 || x + i >= w_ || y + j >= h_) {
                    continue;
                }
                if ((Pixel(m.get(), i, j) & 0xFFFFFFU) != 0) {
                    Pixel(buffer_.get(), x + i, y + j) = Pixel(image.get(), i, j);
                }
            }
        }
    }

    // Black text, top-left of its cell at (x, y), in a fixed-pitch face.
    void Text(const std::string& text, int x, int y) {
        auto* cairo = Cairo();
        cairo_t* cr = cairo_create(cairo);
        cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL,
                               CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 13);
        cairo_font_extents_t fe{};
        cairo_font_extents(cr, &fe);
        cairo_set_source_rgb(cr, 0, 0, 0);
        cairo_move_to(cr, x, y + fe.ascent);
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
        return cairo_image_surface_create_for_data(static_cast<unsigned char*>(buffer_->pixels),
                                                   CAIRO_FORMAT_RGB24, w_, h_, buffer_->pitch);
    }

    fs::path root_;
    Surface buffer_;
    int w_;
    int h_;
};

using Maze = std::vector<std::string>; // maze[x - 1][y - 1], 30 columns of 21 rows

// A maze of our own when the level's file is not there yet.
Maze SampleMaze(unsigned seed) {
    Maze maze(30, std::string(21, '-'));
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
    for (std::string line; maze.size() < 30 && std::getline(in, line);) {
        line.resize(21, ' ');
        maze.push_back(line);
    }
    return maze.size() == 30 ? maze : SampleMaze(level * 7919U);
}

bool Wall(char c) {
    return c == '-' || c == '+' || c == '|';
}

void GameScreen(const fs::path& root, const fs::path& out, int level) {
    const std::string n = std::to_string(level);
    static const std::array<std::string, 5> backgrounds{"gras", "fire", "water", "maan", "belgie"};
    const Maze maze = LoadMaze(root / ("doolhof" + n + ".txt"), static_cast<unsigned>(level));
    Screen s(root);
    s.Draw("afbeeldingen/" + backgrounds.at(static_cast<std::size_t>(level - 1)) + ".bmp", 1000,
           800, 0, 0);
    const std::string tile = "afbeeldingen/tegel" + n + ".bmp";
    std::vector<std::array<int, 2>> blanks;
    for (int x = 1; x <= 30; ++x) {
        for (int y = 1; y <= 21; ++y) {
            const char c = maze[static_cast<std::size_t>(x - 1)][static_cast<std::size_t>(y - 1)];
            if (Wall(c)) {
                continue;
            }
            s.Draw(tile, kCell, kCell, x * kCell, y * kCell);
            if (c == 'f') {
                s.DrawMasked("afbeeldingen/friet.bmp", "afbeeldingen/frietmask.bmp", kCell, kCell,
                             x * kCell, y * kCell);
            } else if (c == ' ' && y < 21 && x > 2) {
                blanks.push_back({x, y});
            }
        }
    }
    auto at = [&blanks](std::size_t i) { return blanks.at(i * 7919 % blanks.size()); };
    const auto burger = at(3);
    s.DrawMasked("afbeeldingen/hamburger.bmp", "afbeeldingen/hamburgermask.bmp", kCell, kCell,
                 burger[0] * kCell, burger[1] * kCell);
    const auto flag = at(11);
    s.DrawMasked("afbeeldingen/vlag.bmp", "afbeeldingen/vlagmask.bmp", kCell, kCell,
                 flag[0] * kCell, flag[1] * kCell);
    for (std::size_t i = 20; i < 20 + static_cast<std::size_t>(5 + level); ++i) {
        const auto e = at(i);
        s.DrawMasked("afbeeldingen/strik.bmp", "afbeeldingen/strikmask.bmp", kCell, kCell,
                     e[0] * kCell, e[1] * kCell);
    }
    s.DrawMasked(level % 2 == 1 ? "afbeeldingen/zorpR.bmp" : "afbeeldingen/zorpL.bmp",
                 level % 2 == 1 ? "afbeeldingen/zorpmaskR.bmp" : "afbeeldingen/zorpmaskL.bmp",
                 kCell, kCell, 2 * kCell, 2 * kCell);
    s.Draw(level == 5 ? "afbeeldingen/DoorOpen.bmp" : "afbeeldingen/DoorClosed.bmp", kCell, kCell,
           900, 600);
    const std::string panel = "afbeeldingen/rechthoek" + n + ".bmp";
    s.Draw(panel, 380, 110, 40, 640);
    for (int heart = 1; heart <= 3 + level / 2; ++heart) {
        s.DrawMasked("afbeeldingen/hart.bmp", "afbeeldingen/hartmask.bmp", 60, 60,
                     50 + 70 * (heart - 1), 650);
    }
    s.Draw(panel, 150, 90, 800, 660);
    s.Text("Friet", 810, 680);
    s.Text(std::to_string(level + 5), 900, 680);
    s.Draw(panel, 198, 30, 2, 20);
    // Even levels show the hint as it reads while the game is paused.
    s.Text(level % 2 == 0 ? "Press 's' to continue" : "Press 'p' to pause", 5, 30);
    s.Save(out / ("game" + n + ".png"));
}

void MenuScreens(const fs::path& root, const fs::path& out) {
    const std::array<std::array<std::string, 2>, 2> menus{
        {{"Start Instructions Credits Quit", "menu"}, {"easy medium hard Back", "difficulty"}}};
    for (const auto& [names, file] : menus) {
        Screen s(root);
        s.Draw("menu/begincartoon.bmp", 1000, 700, 0, 0);
        std::size_t start = 0;
        for (int i = 0; i < 4; ++i) {
            const std::size_t space = names.find(' ', start);
            const std::string name = names.substr(start, space - start);
            start = space + 1;
            s.Draw("menu/" + name + (i == 1 ? "1" : "0") + ".bmp", 250, 75, 110, 50 + 150 * i);
        }
        s.Save(out / (file + ".png"));
    }
    for (const auto& [picture, file] : std::array<std::array<std::string, 2>, 2>{
             {{"afbeeldingen/Instructiescherm.bmp", "instructions"},
              {"afbeeldingen/creditscherm.bmp", "credits"}}}) {
        Screen s(root);
        s.Draw(picture, 1000, 700, 0, 0);
        s.Draw("menu/Back0.bmp", 250, 75, 750, 550);
        s.Draw("menu/Quit1.bmp", 250, 75, 750, 630);
        s.Save(out / (file + ".png"));
    }
    for (const std::string picture : {"Limburg", "OostVlaanderen", "WestVlaanderen", "Antwerpen",
                                      "VlaamsBrabant", "Gameoverscherm", "eindscherm"}) {
        Screen s(root);
        s.Draw("afbeeldingen/" + picture + ".bmp", 1000, 700, 0, 0);
        s.Save(out / (picture + ".png"));
    }
}

// Every sprite on every floor tile, and the panels at their three sizes, enlarged.
void SpriteSheet(const fs::path& root, const fs::path& out) {
    Screen sheet(root, 1000, 1000);
    const std::array<std::string, 7> sprites{"zorpR",     "zorpL", "strik", "friet",
                                             "hamburger", "vlag",  "hart"};
    const std::array<std::string, 7> masks{"zorpmaskR",     "zorpmaskL", "strikmask", "frietmask",
                                           "hamburgermask", "vlagmask",  "hartmask"};
    for (int level = 1; level <= 5; ++level) {
        for (std::size_t i = 0; i < sprites.size(); ++i) {
            const int size = i + 1 == sprites.size() ? 60 : 30;
            Screen cell(root, size, size);
            for (int y = 0; y < size; y += 30) {
                for (int x = 0; x < size; x += 30) {
                    cell.Draw("afbeeldingen/tegel" + std::to_string(level) + ".bmp", 30, 30, x, y);
                }
            }
            cell.DrawMasked("afbeeldingen/" + sprites.at(i) + ".bmp",
                            "afbeeldingen/" + masks.at(i) + ".bmp", size, size, 0, 0);
            sheet.Paste(cell, 10 + static_cast<int>(i) * 125, 10 + (level - 1) * 125,
                        size == 30 ? 4 : 2);
        }
    }
    for (const auto& [door, x] :
         std::array<std::pair<std::string, int>, 2>{{{"DoorOpen", 10}, {"DoorClosed", 135}}}) {
        Screen cell(root, 30, 30);
        cell.Draw("afbeeldingen/" + door + ".bmp", 30, 30, 0, 0);
        sheet.Paste(cell, x, 640, 4);
    }
    for (int level = 1; level <= 5; ++level) {
        const std::string panel = "afbeeldingen/rechthoek" + std::to_string(level) + ".bmp";
        const int y = 770 + (level - 1) * 45;
        sheet.Draw(panel, 198, 30, 270, y);
        sheet.Text("Press 'p' to pause", 273, y + 10);
        sheet.Draw(panel, 150, 90, 480 + ((level - 1) % 3) * 170, 640 + ((level - 1) / 3) * 110);
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
        for (int level = 1; level <= 5; ++level) {
            GameScreen(root, out, level);
        }
        MenuScreens(root, out);
        SpriteSheet(root, out);
    } catch (const std::exception& e) {
        std::cerr << "meandor_preview: " << e.what() << '\n';
        return 1;
    }
    return 0;
}

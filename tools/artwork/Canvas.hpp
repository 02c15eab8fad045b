#pragma once
// Drawing helpers shared by the artwork sources: an owned cairo image, colours,
// text, a seeded random source and smooth noise for textures.

#include <cairo.h>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <numbers>
#include <span>
#include <string_view>

namespace Artwork {

inline constexpr double Pi = std::numbers::pi;

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

constexpr Rgb Hex(std::uint32_t v) {
    return {static_cast<double>((v >> 16) & 255U) / 255.0,
            static_cast<double>((v >> 8) & 255U) / 255.0, static_cast<double>(v & 255U) / 255.0};
}

Rgb Mix(Rgb a, Rgb b, double t);

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextDeleter {
    void operator()(cairo_t* c) const { cairo_destroy(c); }
};
struct PatternDeleter {
    void operator()(cairo_pattern_t* p) const { cairo_pattern_destroy(p); }
};
using Pattern = std::unique_ptr<cairo_pattern_t, PatternDeleter>;

struct Rgba8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;
};

// An ARGB image with its drawing context; starts fully transparent.
class Canvas {
  public:
    Canvas(int w, int h);
    cairo_t* Cr() const { return context.get(); }
    int Width() const { return width; }
    int Height() const { return height; }
    Rgba8 At(int x, int y) const;        // unpremultiplied
    void Set(int x, int y, Rgba8 pixel); // unpremultiplied
    void MirrorHorizontally();
    // Sets every pixel, opaque, to the colour the function gives for it.
    void Fill(const std::function<Rgb(int x, int y)>& colour);

  private:
    int width;
    int height;
    std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface;
    std::unique_ptr<cairo_t, ContextDeleter> context;
};

// Opaque 24-bit picture; transparent pixels come out black.
void WriteBmp(const Canvas& canvas, const std::filesystem::path& file);
// A sprite and its one-bit mask: white where at least half covered, black
// elsewhere; the picture is black wherever the mask is.
void WriteSprite(const Canvas& canvas, const std::filesystem::path& image,
                 const std::filesystem::path& mask);

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);
Pattern Linear(double x0, double y0, double x1, double y1, Rgb from, Rgb to);
Pattern Radial(double cx, double cy, double r0, double r1, Rgb inner, Rgb outer,
               double outerAlpha = 1.0);
void FillWith(cairo_t* cr, const Pattern& pattern, bool preserve = false);
// A hedge block for every '#' of `rows`, cell by cell from (x, y), each `inset` in from its
// cell's edges with corners rounded by `roundness` of a cell.
void HedgeRows(cairo_t* cr, std::span<const std::string_view> rows, double x, double y, double cell,
               double inset, double roundness);

enum class Face { Sans, SansBold, Mono, MonoBold };

struct TextStyle {
    Face face = Face::SansBold;
    double size = 20;
    Rgb fill{1, 1, 1};
    Rgb outline{0, 0, 0};
    double outlineWidth = 0; // 0: no outline
    double shadow = 0;       // offset of a soft dark shadow, 0: none
};

double TextWidth(cairo_t* cr, std::string_view text, Face face, double size);
// Draws text with its baseline at y, centred on x.
void CentredText(cairo_t* cr, std::string_view text, double x, double y, const TextStyle& style);
// Draws text with its baseline at y, starting at x.
void LeftText(cairo_t* cr, std::string_view text, double x, double y, const TextStyle& style);
// Shrinks the size until the text fits in maxWidth.
double FitSize(cairo_t* cr, std::string_view text, Face face, double size, double maxWidth);

// A rounded white label with dark text, centred on (cx, cy).
void Pill(cairo_t* cr, std::string_view text, double cx, double cy, Rgb frame = Hex(0x1d2b53));

// A small seeded generator, so every run draws the same picture.
class Random {
  public:
    explicit Random(std::uint32_t seed) : state(seed * 2654435761U + 1U) {}
    std::uint32_t Next();
    double Uniform(double lo, double hi);

  private:
    std::uint32_t state;
};

// Smooth value noise in 0..1 with the given cell size; Fractal adds octaves.
double Noise(double x, double y, std::uint32_t seed);
double Fractal(double x, double y, std::uint32_t seed, int octaves);
// Stretches a 0..1 value away from 0.5, clamped.
double Contrast(double v, double gain);

} // namespace Artwork

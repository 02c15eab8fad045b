#include "tools/artwork/Canvas.hpp"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace Artwork {

namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 255U));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 255U));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFFU);
    Put16(out, v >> 16);
}

// File header and BITMAPINFOHEADER of an uncompressed bottom-up picture.
std::vector<std::uint8_t> BmpHeader(int width, int height, int bits, std::uint32_t rowBytes,
                                    std::uint32_t paletteEntries) {
    const std::uint32_t offset = 14 + 40 + 4 * paletteEntries;
    const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height);
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + imageBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, static_cast<std::uint32_t>(bits));
    Put32(out, 0); // BI_RGB
    Put32(out, imageBytes);
    Put32(out, 2835); // 72 dpi
    Put32(out, 2835);
    Put32(out, paletteEntries);
    Put32(out, paletteEntries);
    return out;
}

void Save(const std::vector<std::uint8_t>& bytes, const std::filesystem::path& file) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::uint32_t RowBytes(int width, int bits) {
    return ((static_cast<std::uint32_t>(width * bits) + 31U) / 32U) * 4U;
}

bool Covered(Rgba8 p) {
    return p.a >= 128;
}

const char* Family(Face face) {
    switch (face) {
    case Face::Mono:
    case Face::MonoBold:
        return "DejaVu Sans Mono";
    default:
        return "DejaVu Sans";
    }
}

bool Bold(Face face) {
    return face == Face::SansBold || face == Face::MonoBold;
}

void SelectFace(cairo_t* cr, Face face, double size) {
    cairo_select_font_face(cr, Family(face), CAIRO_FONT_SLANT_NORMAL,
                           Bold(face) ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    // Fixed rendering options, so the output does not follow desktop settings.
    std::unique_ptr<cairo_font_options_t, decltype(&cairo_font_options_destroy)> options(
        cairo_font_options_create(), &cairo_font_options_destroy);
    cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options.get());
}

std::uint32_t Hash(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    auto h = static_cast<std::uint32_t>(x * 374761393LL + y * 668265263LL) ^ (seed * 2246822519U);
    h = (h ^ (h >> 13)) * 1274126177U;
    return h ^ (h >> 16);
}

} // namespace

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Canvas::Canvas(int w, int h)
    : width(w), height(h), surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h)),
      context(cairo_create(surface.get())) {
    if (cairo_status(context.get()) != CAIRO_STATUS_SUCCESS) {
        throw std::runtime_error("cannot create a drawing surface");
    }
}

Rgba8 Canvas::At(int x, int y) const {
    cairo_surface_flush(surface.get());
    const unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    std::uint32_t v = 0;
    std::copy_n(data + y * stride + x * 4, 4, reinterpret_cast<unsigned char*>(&v));
    const auto a = static_cast<std::uint8_t>(v >> 24);
    if (a == 0) {
        return {};
    }
    auto unpremultiply = [a](std::uint32_t c) {
        return static_cast<std::uint8_t>(std::min(255U, (c * 255U + a / 2U) / a));
    };
    return {unpremultiply((v >> 16) & 255U), unpremultiply((v >> 8) & 255U),
            unpremultiply(v & 255U), a};
}

void Canvas::Set(int x, int y, Rgba8 p) {
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    auto premultiply = [&p](std::uint8_t c) {
        return (static_cast<std::uint32_t>(c) * p.a + 127U) / 255U;
    };
    const std::uint32_t v = (static_cast<std::uint32_t>(p.a) << 24) | (premultiply(p.r) << 16) |
                            (premultiply(p.g) << 8) | premultiply(p.b);
    std::copy_n(reinterpret_cast<const unsigned char*>(&v), 4, data + y * stride + x * 4);
    cairo_surface_mark_dirty(surface.get());
}

void Canvas::MirrorHorizontally() {
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width / 2; ++x) {
            const Rgba8 left = At(x, y);
            Set(x, y, At(width - 1 - x, y));
            Set(width - 1 - x, y, left);
        }
    }
}

void Canvas::Fill(const std::function<Rgb(int x, int y)>& colour) {
    cairo_surface_flush(surface.get());
    unsigned char* data = cairo_image_surface_get_data(surface.get());
    const int stride = cairo_image_surface_get_stride(surface.get());
    auto channel = [](double c) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(c, 0.0, 1.0) * 255.0));
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = colour(x, y);
            const std::uint32_t v =
                0xFF000000U | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
            std::copy_n(reinterpret_cast<const unsigned char*>(&v), 4, data + y * stride + x * 4);
        }
    }
    cairo_surface_mark_dirty(surface.get());
}

void WriteBmp(const Canvas& canvas, const std::filesystem::path& file) {
    const std::uint32_t rowBytes = RowBytes(canvas.Width(), 24);
    std::vector<std::uint8_t> bytes = BmpHeader(canvas.Width(), canvas.Height(), 24, rowBytes, 0);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < canvas.Width(); ++x) {
            const Rgba8 p = canvas.At(x, y);
            const double a = p.a / 255.0;
            row[static_cast<std::size_t>(x) * 3] = static_cast<std::uint8_t>(std::lround(p.b * a));
            row[static_cast<std::size_t>(x) * 3 + 1] =
                static_cast<std::uint8_t>(std::lround(p.g * a));
            row[static_cast<std::size_t>(x) * 3 + 2] =
                static_cast<std::uint8_t>(std::lround(p.r * a));
        }
        bytes.insert(bytes.end(), row.begin(), row.end());
    }
    Save(bytes, file);
}

void WriteSprite(const Canvas& canvas, const std::filesystem::path& image,
                 const std::filesystem::path& mask) {
    Canvas solid(canvas.Width(), canvas.Height());
    const std::uint32_t maskRow = RowBytes(canvas.Width(), 1);
    std::vector<std::uint8_t> maskBytes = BmpHeader(canvas.Width(), canvas.Height(), 1, maskRow, 2);
    Put32(maskBytes, 0x000000U);
    Put32(maskBytes, 0xFFFFFFU);
    for (int y = canvas.Height() - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(maskRow, 0);
        for (int x = 0; x < canvas.Width(); ++x) {
            Rgba8 p = canvas.At(x, y);
            if (!Covered(p)) {
                solid.Set(x, y, {0, 0, 0, 255});
                continue;
            }
            // Pure black is the picture's background: shown pixels never use it.
            p.r = std::max<std::uint8_t>(p.r, 1);
            solid.Set(x, y, {p.r, p.g, p.b, 255});
            row[static_cast<std::size_t>(x) / 8] |= static_cast<std::uint8_t>(0x80U >> (x % 8));
        }
        maskBytes.insert(maskBytes.end(), row.begin(), row.end());
    }
    WriteBmp(solid, image);
    Save(maskBytes, mask);
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double radius) {
    const double r = std::min({radius, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -Pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, Pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, Pi / 2, Pi);
    cairo_arc(cr, x + r, y + r, r, Pi, 1.5 * Pi);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * Pi);
    cairo_restore(cr);
}

Pattern Linear(double x0, double y0, double x1, double y1, Rgb from, Rgb to) {
    Pattern p(cairo_pattern_create_linear(x0, y0, x1, y1));
    cairo_pattern_add_color_stop_rgb(p.get(), 0, from.r, from.g, from.b);
    cairo_pattern_add_color_stop_rgb(p.get(), 1, to.r, to.g, to.b);
    return p;
}

Pattern Radial(double cx, double cy, double r0, double r1, Rgb inner, Rgb outer,
               double outerAlpha) {
    Pattern p(cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1));
    cairo_pattern_add_color_stop_rgba(p.get(), 0, inner.r, inner.g, inner.b, 1);
    cairo_pattern_add_color_stop_rgba(p.get(), 1, outer.r, outer.g, outer.b, outerAlpha);
    return p;
}

void FillWith(cairo_t* cr, const Pattern& pattern, bool preserve) {
    cairo_set_source(cr, pattern.get());
    if (preserve) {
        cairo_fill_preserve(cr);
        return;
    }
    cairo_fill(cr);
}

void HedgeRows(cairo_t* cr, std::span<const std::string_view> rows, double x, double y, double cell,
               double inset, double roundness) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        for (std::size_t col = 0; col < rows[r].size(); ++col) {
            if (rows[r][col] != '#') {
                continue;
            }
            const double px = x + static_cast<double>(col) * cell;
            const double py = y + static_cast<double>(r) * cell;
            RoundedRect(cr, px + inset, py + inset, cell - 2 * inset, cell - 2 * inset,
                        cell * roundness);
            FillWith(cr, Radial(px + cell * 0.35, py + cell * 0.35, 1, cell, Hex(0x66bb6a),
                                Hex(0x1b5e20)));
        }
    }
}

double TextWidth(cairo_t* cr, std::string_view text, Face face, double size) {
    cairo_save(cr);
    SelectFace(cr, face, size);
    cairo_text_extents_t extents{};
    const std::string s(text);
    cairo_text_extents(cr, s.c_str(), &extents);
    cairo_restore(cr);
    return extents.x_advance;
}

void LeftText(cairo_t* cr, std::string_view text, double x, double y, const TextStyle& style) {
    const std::string s(text);
    cairo_save(cr);
    SelectFace(cr, style.face, style.size);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    if (style.shadow > 0) {
        cairo_new_path(cr);
        cairo_move_to(cr, x + style.shadow, y + style.shadow);
        cairo_text_path(cr, s.c_str());
        SetColour(cr, {0, 0, 0}, 0.35);
        cairo_set_line_width(cr, 2 * style.outlineWidth + style.shadow);
        cairo_stroke_preserve(cr);
        cairo_fill(cr);
    }
    cairo_new_path(cr);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, s.c_str());
    if (style.outlineWidth > 0) {
        SetColour(cr, style.outline);
        cairo_set_line_width(cr, 2 * style.outlineWidth);
        cairo_stroke_preserve(cr);
    }
    SetColour(cr, style.fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

void CentredText(cairo_t* cr, std::string_view text, double x, double y, const TextStyle& style) {
    LeftText(cr, text, x - TextWidth(cr, text, style.face, style.size) / 2, y, style);
}

double FitSize(cairo_t* cr, std::string_view text, Face face, double size, double maxWidth) {
    const double width = TextWidth(cr, text, face, size);
    return width <= maxWidth ? size : size * maxWidth / width;
}

void Pill(cairo_t* cr, std::string_view text, double cx, double cy, Rgb frame) {
    const double size = 34;
    const double w = TextWidth(cr, text, Face::SansBold, size) + 70;
    RoundedRect(cr, cx - w / 2, cy - 32, w, 64, 32);
    FillWith(cr, Linear(0, cy - 32, 0, cy + 32, Hex(0xffffff), Hex(0xe8e8e8)), true);
    SetColour(cr, frame);
    cairo_set_line_width(cr, 5);
    cairo_stroke(cr);
    CentredText(cr, text, cx, cy + 12, {Face::SansBold, size, Hex(0x1a1a1a), {}, 0, 0});
}

std::uint32_t Random::Next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

double Random::Uniform(double lo, double hi) {
    return lo + (hi - lo) * (static_cast<double>(Next()) / 4294967296.0);
}

double Noise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx);
    const auto iy = static_cast<std::int64_t>(fy);
    auto smooth = [](double t) { return t * t * (3 - 2 * t); };
    const double tx = smooth(x - fx);
    const double ty = smooth(y - fy);
    auto corner = [&](std::int64_t dx, std::int64_t dy) {
        return static_cast<double>(Hash(ix + dx, iy + dy, seed) & 0xFFFFU) / 65535.0;
    };
    const double top = corner(0, 0) + (corner(1, 0) - corner(0, 0)) * tx;
    const double bottom = corner(0, 1) + (corner(1, 1) - corner(0, 1)) * tx;
    return top + (bottom - top) * ty;
}

double Fractal(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0;
    double weight = 0;
    double amplitude = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * Noise(x, y, seed + static_cast<std::uint32_t>(i) * 101U);
        weight += amplitude;
        amplitude *= 0.5;
        x *= 2;
        y *= 2;
    }
    return sum / weight;
}

double Contrast(double v, double gain) {
    return std::clamp((v - 0.5) * gain + 0.5, 0.0, 1.0);
}

} // namespace Artwork

#include "tables/colors.h"

#include <array>
#include <cstddef>

namespace {

TColor rgb(int r, int g, int b) {
    return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}

// Entries 10-249: 24 hues of ten shades. Hue (i/10 - 1) * 15 degrees; the even
// shade is the saturated colour of value V, the odd shade its light variant.
TColor hueShade(int index) {
    static const int values[5] = {255, 204, 153, 127, 76};
    const int hue = (index / 10 - 1) * 15;
    const int shade = index % 10;
    const int v = values[shade / 2];
    // HSV with saturation 1: channels are V, 0 or a ramp between them.
    const double h = hue / 60.0;
    const int sector = static_cast<int>(h);
    const double f = h - sector;
    const int rising = static_cast<int>(v * f);
    const int falling = static_cast<int>(v * (1.0 - f));
    int r = 0, g = 0, b = 0;
    switch (sector) {
    case 0: r = v; g = rising; b = 0; break;
    case 1: r = falling; g = v; b = 0; break;
    case 2: r = 0; g = v; b = rising; break;
    case 3: r = 0; g = falling; b = v; break;
    case 4: r = rising; g = 0; b = v; break;
    default: r = v; g = 0; b = falling; break;
    }
    if (shade % 2 == 1) {
        r = (v + r) / 2;
        g = (v + g) / 2;
        b = (v + b) / 2;
    }
    return rgb(r, g, b);
}

const std::array<TColor, 256>& palette() {
    static const std::array<TColor, 256> table = [] {
        std::array<TColor, 256> p{};
        const TColor base[10] = {0x000000, 0x0000FF, 0x00FFFF, 0x00FF00, 0xFFFF00,
                                 0xFF0000, 0xFF00FF, 0x000000, 0x808080, 0xC0C0C0};
        for (int i = 0; i < 10; ++i) p[i] = base[i];
        for (int i = 10; i < 250; ++i) p[i] = hueShade(i);
        const int greys[6] = {51, 91, 132, 173, 214, 255};
        for (int i = 0; i < 6; ++i) p[250 + i] = rgb(greys[i], greys[i], greys[i]);
        return p;
    }();
    return table;
}

constexpr TColor kPastelColors[12] = {0xDFDFFF, 0xDFEFFF, 0xDFFFFF, 0xDFFFEF, 0xDFFFDF, 0xEFFFDF,
                                      0xFFFFDF, 0xFFEFDF, 0xFFDFDF, 0xFFDFEF, 0xFFDFFF, 0xEFDFFF};

}  // namespace

TColor PaletteColor(int index) {
    if (index < 0 || index > 255) return palette()[0];
    return palette()[static_cast<std::size_t>(index)];
}

TColor PastelColor(long long n) {
    long long i = n % 12;
    if (i < 0) i += 12;
    return kPastelColors[i];
}

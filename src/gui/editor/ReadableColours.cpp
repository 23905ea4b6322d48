#include "editor/ReadableColours.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) + 0.0722 * Linear(rgb.blueF());
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b)
{
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Mixed(const QColor& a, const QColor& b, double t)
{
    const QColor x = a.toRgb();
    const QColor y = b.toRgb();
    auto mix = [t](double p, double q) { return p + (q - p) * t; };
    return QColor::fromRgbF(float(mix(x.redF(), y.redF())), float(mix(x.greenF(), y.greenF())),
                            float(mix(x.blueF(), y.blueF())));
}

QColor Readable(const QColor& wanted, const QColor& background, double ratio)
{
    const QColor target = ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background)
                              ? QColor(Qt::black)
                              : QColor(Qt::white);
    // Twenty steps: close enough to the wanted hue, few enough to be cheap.
    for (int step = 0; step <= 20; ++step) {
        // Judged as it will be drawn, eight bits a channel.
        const QColor shade(Mixed(wanted, target, step / 20.0).rgb());
        if (ContrastRatio(shade, background) >= ratio)
            return shade;
    }
    return target;
}

// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/TextField.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QPointer>
#include <QRawFont>
#include <QStyle>
#include <QTextLayout>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "quorvin/text/QtText.h"
#include "quorvin/toolkit/qt/Accessibility.h"
#include "quorvin/toolkit/qt/AfterFrame.h"
#include "quorvin/toolkit/qt/FontSizesAhead.h"
#include "quorvin/toolkit/qt/Painter.h"
#include "quorvin/toolkit/qt/QtConversions.h"
#include "quorvin/toolkit/qt/ViewWidget.h"

namespace quorvin::toolkit {

namespace {

// Space between the text and the left and right edges, as a label leaves it.
constexpr double kTextInset = 2;
// A text whose advance takes this share of its room may shrink with its next character or two.
constexpr double kNearlyFull = 0.75;

Qt::Alignment qtAlignment(TextAlignment alignment) {
    switch (alignment) {
    case TextAlignment::left: return Qt::AlignLeft;
    case TextAlignment::center: return Qt::AlignHCenter;
    case TextAlignment::right: return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

// The space a line of text takes, ink included: glyphs may reach past their advance (a bold
// digit's right edge) or start left of the origin.
QSizeF textExtent(const QFont& font, const QString& text, QPaintDevice& device) {
    const QFontMetricsF metrics(font, &device);
    const QRectF ink = metrics.tightBoundingRect(text);
    const double left = std::min(0.0, ink.left());
    const double right = std::max(metrics.horizontalAdvance(text), ink.right());
    return QSizeF(right - left, metrics.height());
}

bool fitsIn(QSizeF extent, QSizeF room) {
    return extent.width() <= room.width() && extent.height() <= room.height();
}

// Characters that QPainter::drawText does not draw as they are (line ends and tabs become
// spaces, U+009C separates variants of a text): such a text is measured and drawn by Qt alone.
bool drawnAsItIs(const QString& text) {
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n' || c == u'\t' || c == QChar(0x9C)) return false;
    }
    return true;
}

void layOutOneLine(QTextLayout& layout, Qt::LayoutDirection direction) {
    QTextOption option;
    option.setTextDirection(direction);
    option.setAlignment(Qt::AlignLeft);
    option.setFlags(QTextOption::IncludeTrailingSpaces);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(0x01000000);
    line.setPosition(QPointF(0, 0));
    layout.endLayout();
}

// What the glyphs of a shaped line cover, from one walk over them.
struct LineGlyphs {
    // The union of the glyphs' boxes where the layout put them, in the line's coordinates.
    QRectF box;
    // For a left-to-right line of printable ASCII, its ink as QFontMetricsF::tightBoundingRect
    // finds it, worked out from the same glyphs instead of shaping the text again. The metrics
    // shape such a text as one run of one script, exactly as the layout does, and take the union
    // of its glyphs' boxes: each box from its glyph's position, its right edge from that position
    // rounded up to a whole pixel, and the right edge of the whole never left of the pen's
    // start. Empty for any other line, and for one whose glyphs come from more than one font or
    // include one that does not move the pen (which the metrics leave out): the metrics then
    // measure it.
    std::optional<QRectF> metricsInk;
};

bool printableAscii(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar character) {
        return character.unicode() >= 0x20 && character.unicode() <= 0x7E;
    });
}

LineGlyphs glyphsOf(const QTextLayout& layout) {
    LineGlyphs glyphs;
    const QTextLine line = layout.lineAt(0);
    if (!line.isValid()) return glyphs;
    const QList<QGlyphRun> runs = line.glyphRuns();
    bool plain = runs.size() == 1 && !layout.text().isEmpty() && printableAscii(layout.text()) &&
                 layout.textOption().textDirection() == Qt::LeftToRight;
    double left = 100000;  // where the metrics start their left edge
    double right = 0;
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (indexes.isEmpty() || positions.size() != indexes.size()) plain = false;
        for (qsizetype index = 0; index < indexes.size() && index < positions.size(); ++index) {
            const QRectF box = font.boundingRect(indexes[index]);
            glyphs.box |= box.translated(positions[index]);
            if (!plain) continue;
            const double next =
                index + 1 < positions.size() ? positions[index + 1].x() : line.horizontalAdvance();
            if (!(next > positions[index].x())) plain = false;
            const double x = positions[index].x() + box.x();
            left = std::min(left, x);
            right = std::max(right, std::ceil(x) + box.width());
        }
    }
    if (plain) glyphs.metricsInk = QRectF(left, 0, right - left, 0);
    return glyphs;
}

// One line of text shaped once, at one font, and kept: its advance for the fitting and its
// drawing come from that shaping, and its ink is measured (a second shaping) only when the advance
// leaves in doubt whether it fits. A changed text is so shaped at most twice instead of three
// times, a size that is too large once, and a repaint not at all. It measures as textExtent and
// draws as QPainter::drawText(room, alignment | Qt::AlignVCenter | Qt::TextSingleLine, text)
// does, pixel for pixel.
class ShapedLine {
public:
    ShapedLine(const QString& text, const QFont& font, QPaintDevice& device,
               Qt::LayoutDirection direction)
        : layout(text, font, &device), metrics(font, &device) {
        layOutOneLine(layout, direction);
        advance = direction == Qt::LeftToRight ? layout.lineAt(0).horizontalAdvance()
                                               : metrics.horizontalAdvance(text);
    }

    // Whether the line fits in the room. The ink can only add to the advance, so a line whose
    // advance is already too wide is not measured further.
    bool fitsIn(QSizeF room) const {
        if (metrics.height() > room.height() || advance > room.width()) return false;
        return extent().width() <= room.width();
    }

    // The space the line takes as textExtent finds it: the advance and the ink as
    // QFontMetricsF::tightBoundingRect finds it (measured once, when first asked).
    QSizeF extent() const {
        if (!ink) {
            ink = glyphs().metricsInk;
            if (!ink) ink = metrics.tightBoundingRect(layout.text());
        }
        const double left = std::min(0.0, ink->left());
        const double right = std::max(advance, ink->right());
        return QSizeF(right - left, metrics.height());
    }

    // The extent when it is known, otherwise the advance alone: enough to estimate a size from.
    QSizeF roughExtent() const { return ink ? extent() : QSizeF(advance, metrics.height()); }

    QFont font() const { return layout.font(); }

    // `alignment` is the visual one (left and right already swapped for right-to-left).
    void draw(QPainter& painter, const QRectF& room, Qt::Alignment alignment) const {
        const QTextLine line = layout.lineAt(0);
        if (!line.isValid() || layout.text().isEmpty()) return;
        const bool clips = clipsIn(room, alignment);
        if (clips) {
            painter.save();
            painter.setClipRect(room, Qt::IntersectClip);
        }
        line.draw(&painter, origin(room, alignment));
        if (clips) painter.restore();
    }

    // Where in the room the pixels of the drawn line can lie, give or take a pixel of
    // smoothing: the union of its glyphs' boxes where draw puts them. Empty when the line is
    // cut at the room's edges (it may then touch any pixel of the room) or draws nothing.
    std::optional<QRectF> inkIn(const QRectF& room, Qt::Alignment alignment) const {
        const QTextLine line = layout.lineAt(0);
        if (!line.isValid() || layout.text().isEmpty() || clipsIn(room, alignment))
            return std::nullopt;
        const QRectF& box = glyphs().box;
        if (box.isEmpty()) return std::nullopt;
        return box.translated(origin(room, alignment));
    }

private:
    // Whether the line's box reaches out of the room, where it is cut.
    bool clipsIn(const QRectF& room, Qt::Alignment alignment) const {
        const QTextLine line = layout.lineAt(0);
        const double width = line.naturalTextWidth();
        const double height = line.ascent() + line.descent();
        double xoff = 0;
        if (alignment & Qt::AlignRight) {
            xoff = room.width() - width;
        } else if (alignment & Qt::AlignHCenter) {
            xoff = (room.width() - width) / 2;
        }
        const double yoff = (room.height() - height) / 2;
        return !room.contains(QRectF(room.x() + xoff, room.y() + yoff, width, height));
    }

    // Where the line's top left goes: centred vertically, its advance aligned in the room.
    QPointF origin(const QRectF& room, Qt::Alignment alignment) const {
        const QTextLine line = layout.lineAt(0);
        const double height = line.ascent() + line.descent();
        const double lineAdvance = line.horizontalAdvance();
        double xoff = 0;
        if (alignment & Qt::AlignRight) {
            xoff = room.width() - lineAdvance;
        } else if (alignment & Qt::AlignHCenter) {
            xoff = (room.width() - lineAdvance) / 2;
        }
        return QPointF(room.x() + xoff, room.y() + (room.height() - height) / 2);
    }

    QTextLayout layout;
    QFontMetricsF metrics;
    // A left-to-right line's advance is its layout's; a right-to-left one may count its spaces
    // differently, so it takes the metrics' own.
    double advance = 0;
    mutable std::optional<QRectF> ink;
    mutable std::optional<LineGlyphs> walked;

    const LineGlyphs& glyphs() const {
        if (!walked) walked = glyphsOf(layout);
        return *walked;
    }
};

// The largest whole pixel size below `ownPixels` at which the text fits, given its extent at
// `ownPixels` (which does not fit). Qt measures and draws a font at a whole number of pixels
// (a point size is rounded to the nearest pixel size), and the width is close to proportional
// to it: the extent gives the size, which is then verified, and its next larger size ruled out.
// Nothing is smaller than a pixel: text that fits at no size is drawn at one.
int fittingPixelSize(int ownPixels, QSizeF extent, QSizeF room,
                     const std::function<bool(int)>& fitsAt) {
    const double ratio = std::min(room.width() / std::max(extent.width(), 1e-9),
                                  room.height() / std::max(extent.height(), 1e-9));
    int size =
        std::clamp(static_cast<int>(std::floor(ownPixels * ratio)), 1, std::max(1, ownPixels - 1));
    if (fitsAt(size)) {
        while (size + 1 < ownPixels && fitsAt(size + 1))
            ++size;
        return size;
    }
    while (size > 1 && !fitsAt(size - 1))
        --size;
    return std::max(1, size - 1);
}

// The line shaped at the largest pixel size below `tooLarge`'s at which it fits, found from the
// extent it has at that size (which does not fit).
std::unique_ptr<ShapedLine> shrunkBelow(const ShapedLine& tooLarge, QFont font, const QString& text,
                                        QSizeF room, QPaintDevice& device,
                                        Qt::LayoutDirection direction, int tooLargePixels) {
    std::unique_ptr<ShapedLine> fitting;
    const int size =
        fittingPixelSize(tooLargePixels, tooLarge.roughExtent(), room, [&](int pixels) {
            font.setPixelSize(pixels);
            auto candidate = std::make_unique<ShapedLine>(text, font, device, direction);
            if (!candidate->fitsIn(room)) return false;
            if (!fitting || fitting->font().pixelSize() < pixels) fitting = std::move(candidate);
            return true;
        });
    if (fitting && fitting->font().pixelSize() == size) return fitting;
    font.setPixelSize(size);
    return std::make_unique<ShapedLine>(text, font, device, direction);
}

// The line shaped at `font` when it fits in the room on one line; otherwise at the same family
// and weight at the largest size at which it does. `shrunkBefore` is the pixel size the field's
// text was shrunk to before, if it was: a text that changes by a character or two most often
// fits at that size and not at the next, which two shapings show (the larger a text, the wider,
// so no larger size fits either), without shaping it at its own size first. A text too large
// for that size is too large for every larger one: its size is found below it. One that fits the
// next size too (it lost a character) is tried at the size after that.
std::unique_ptr<ShapedLine> fittingLine(QFont font, const QString& text, QSizeF room,
                                        QPaintDevice& device, Qt::LayoutDirection direction,
                                        std::optional<int> shrunkBefore) {
    const int ownPixels = QFontInfo(QFont(font, &device)).pixelSize();
    if (shrunkBefore && *shrunkBefore + 1 < ownPixels && !text.isEmpty()) {
        QFont before = font;
        before.setPixelSize(*shrunkBefore);
        auto line = std::make_unique<ShapedLine>(text, before, device, direction);
        if (!line->fitsIn(room))
            return shrunkBelow(*line, font, text, room, device, direction, *shrunkBefore);
        before.setPixelSize(*shrunkBefore + 1);
        auto larger = std::make_unique<ShapedLine>(text, before, device, direction);
        if (!larger->fitsIn(room)) return line;
        // It fits a size larger: most often it lost a character, and the next size is too large.
        if (*shrunkBefore + 2 < ownPixels) {
            before.setPixelSize(*shrunkBefore + 2);
            if (!ShapedLine(text, before, device, direction).fitsIn(room)) return larger;
        }
    }
    auto line = std::make_unique<ShapedLine>(text, font, device, direction);
    if (text.isEmpty() || line->fitsIn(room)) return line;
    return shrunkBelow(*line, font, text, room, device, direction, ownPixels);
}

// As fittingLine, for text that Qt measures and draws by itself.
QFont fittingFont(QFont font, const QString& text, QSizeF room, QPaintDevice& device) {
    if (text.isEmpty()) return font;
    const QSizeF extent = textExtent(font, text, device);
    if (fitsIn(extent, room)) return font;
    const int ownPixels = QFontInfo(QFont(font, &device)).pixelSize();
    font.setPixelSize(fittingPixelSize(ownPixels, extent, room, [&](int pixels) {
        QFont candidate = font;
        candidate.setPixelSize(pixels);
        return fitsIn(textExtent(candidate, text, device), room);
    }));
    return font;
}

}  // namespace

// Texts offered as the field's next ones, and the fits made for them while the program was idle.
struct TextField::Upcoming {
    std::deque<QString> toFit;  // offered, not fitted yet
    std::vector<std::unique_ptr<FittedFont>> fits;
    bool waiting = false;  // in the idle fitter's queue
    // The most texts fitted ahead: a digit of any base, or a digit taken back.
    static constexpr std::size_t kMostTexts = 20;
};

// The line the field last drew, shaped at its fitted font, and what it was fitted for: a repaint
// of the same text in the same room draws at once, with no measurement and no shaping.
struct TextField::FittedFont {
    Font font;
    double dpi = 0;
    QString text;
    QSizeF room;
    Qt::LayoutDirection direction = Qt::LeftToRight;
    const QPaintDevice* device = nullptr;
    std::unique_ptr<ShapedLine> line;  // null for text that Qt draws by itself
    QFont fitted;
    bool shrunk = false;  // the line is drawn smaller than the field's font
    // The pixels that the text last painted covers in the field's widget, where known. Kept
    // across refits: it is what a change of text must paint over.
    std::optional<QRect> inkOnScreen;
    // Fits made before for other texts in the same font, room and device, the latest first: a
    // text shown again (a sign changed back, a digit taken back and typed again, a value shown
    // in another base and back) is drawn from its line with no shaping at all.
    std::vector<std::unique_ptr<FittedFont>> earlier;
    static constexpr std::size_t kEarlierFits = 4;

    bool sameSetting(const FittedFont& other) const {
        return font == other.font && dpi == other.dpi && room == other.room &&
               direction == other.direction && device == other.device;
    }
    bool isFor(const FittedFont& wanted) const {
        return text == wanted.text && sameSetting(wanted);
    }

    // The room for the text in a field of `area`: inset from the sides, and from whatever border
    // is drawn over the edges.
    static QRectF roomIn(const TextField& field, const QRectF& area) {
        double border = field.bordered ? 1 : 0;
        if (const Layer* backing = field.layer()) border += std::max(0.0, backing->borderWidth());
        return area.adjusted(kTextInset + border, border, -kTextInset - border, -border);
    }

    // What a fit of `text` in the field, as it stands in `widget`, is made for.
    static FittedFont wantedFor(const TextField& field, const QWidget& widget, QPaintDevice& device,
                                Qt::LayoutDirection direction, QString text) {
        FittedFont wanted;
        wanted.font = field.textFont;
        wanted.dpi = widget.logicalDpiY();
        wanted.text = std::move(text);
        wanted.room = roomIn(field, widget.rect()).size();
        wanted.direction = direction;
        wanted.device = &device;
        return wanted;
    }

    // The fit made for `wanted`, taken out of `fits`; null if none is there.
    static std::unique_ptr<FittedFont> takeFrom(std::vector<std::unique_ptr<FittedFont>>& fits,
                                                const FittedFont& wanted) {
        const auto found = std::find_if(fits.begin(), fits.end(),
                                        [&](const auto& fit) { return fit->isFor(wanted); });
        if (found == fits.end()) return nullptr;
        std::unique_ptr<FittedFont> fit = std::move(*found);
        fits.erase(found);
        return fit;
    }

    // `wanted`'s text fitted to its room and shaped. The search for a smaller size starts at the
    // size `previous` (the fit drawn before) was shrunk to, if it was, in the same setting.
    static std::unique_ptr<FittedFont> make(const TextField& field, FittedFont wanted,
                                            QPaintDevice& device, const FittedFont* previous) {
        std::optional<int> shrunkBefore;
        if (previous && previous->line && previous->shrunk && previous->font == wanted.font &&
            previous->dpi == wanted.dpi && previous->room == wanted.room &&
            previous->direction == wanted.direction)
            shrunkBefore = previous->line->font().pixelSize();
        auto made = std::make_unique<FittedFont>(std::move(wanted));
        const QString& shown = made->text;
        const QFont own = toQFont(field.textFont, made->dpi);
        if (drawnAsItIs(shown)) {
            made->line = fittingLine(own, shown, made->room, device, made->direction, shrunkBefore);
            // A shrunk line's font has a pixel size; the field's own, a point size.
            made->shrunk = made->line->font().pixelSize() > 0;
        } else {
            made->fitted = fittingFont(own, shown, made->room, device);
        }
        return made;
    }

    // The field's text fitted to its room in `widget` and shaped for `device`: the fit made
    // before if nothing it depends on changed, one kept for a text shown before or made ahead,
    // or else one made now.
    static const FittedFont& of(const TextField& field, const QWidget& widget, QPaintDevice& device,
                                Qt::LayoutDirection direction) {
        std::unique_ptr<FittedFont>& fitted = field.fitted;
        FittedFont wanted = wantedFor(field, widget, device, direction, toQString(field.text));
        if (fitted && fitted->isFor(wanted)) return *fitted;
        std::unique_ptr<FittedFont> made;
        if (fitted) made = takeFrom(fitted->earlier, wanted);
        if (!made && field.upcoming) made = takeFrom(field.upcoming->fits, wanted);
        if (!made) made = make(field, std::move(wanted), device, fitted.get());
        if (fitted) {
            made->inkOnScreen = fitted->inkOnScreen;
            remember(*made, std::move(fitted));
        }
        fitted = std::move(made);
        return *fitted;
    }

    // Keeps `previous`, and the fits it kept, with `current` for a text shown again: those in
    // the same setting, the latest first, as many as are kept.
    static void remember(FittedFont& current, std::unique_ptr<FittedFont> previous) {
        std::vector<std::unique_ptr<FittedFont>> kept = std::move(previous->earlier);
        previous->earlier.clear();
        kept.insert(kept.begin(), std::move(previous));
        current.earlier.clear();
        for (auto& fit : kept) {
            if (current.earlier.size() == kEarlierFits) break;
            if (fit->line && current.sameSetting(*fit)) current.earlier.push_back(std::move(fit));
        }
    }

    // A text that has shrunk, or that nearly fills its room, may need a smaller size with its
    // next character or two: those sizes are loaded once the frame is on its way.
    void loadSizesAhead(QWidget& widget) const {
        if (!line) return;
        const QFont drawn = line->font();
        if (shrunk) return loadSmallerSizesAfterFrame(widget, drawn, drawn.pixelSize(), text);
        if (line->roughExtent().width() < room.width() * kNearlyFull) return;
        loadSmallerSizesAfterFrame(widget, drawn, QFontInfo(QFont(drawn, &widget)).pixelSize(),
                                   text);
    }

    // The pixels the text covers where it is drawn in `where`, with a pixel to spare for
    // smoothing; empty where that is not known (text that Qt draws by itself, or cut at the
    // room's edges).
    std::optional<QRect> inkIn(const QRectF& where, Qt::Alignment alignment) const {
        if (!line) return std::nullopt;
        const auto ink = line->inkIn(where, QStyle::visualAlignment(direction, alignment));
        if (!ink) return std::nullopt;
        return ink->toAlignedRect().adjusted(-1, -1, 1, 1);
    }
};

// Fits the texts offered to every field, one text per pass of the event loop. It starts a short
// while after the latest offer, once the frame that came with it has been shown: until then the
// display server (and a compositor) have the processor to themselves. Input and painting never
// wait for more than one fit.
class TextField::IdleFitter : public QObject {
public:
    static IdleFitter& shared() {
        // A child of the application: gone with it, and with it whatever is still queued.
        static QPointer<IdleFitter> fitter;
        if (!fitter) fitter = new IdleFitter(QCoreApplication::instance());
        return *fitter;
    }

    void add(TextField& field) {
        if (!field.upcoming->waiting) {
            field.upcoming->waiting = true;
            fields.push_back(field.weak_from_this());
        }
        delay.start();
    }

private:
    void fitNext() {
        if (delay.isActive() || fields.empty()) return;  // the delay's end asks again
        std::weak_ptr<View> next = std::move(fields.front());
        fields.pop_front();
        if (const auto view = next.lock()) {
            auto& field = static_cast<TextField&>(*view);
            field.fitOneUpcoming();
            if (field.upcoming->toFit.empty()) {
                field.upcoming->waiting = false;
            } else {
                fields.push_back(std::move(next));
            }
        }
        if (!fields.empty()) postNext();
    }

    // A frame takes a few milliseconds from the flush to the screen.
    static constexpr std::chrono::milliseconds kAfterShown{10};

    explicit IdleFitter(QObject* parent) : QObject(parent) {
        delay.setSingleShot(true);
        delay.setInterval(kAfterShown);
        connect(&delay, &QTimer::timeout, this, [this] {
            if (!fields.empty()) postNext();
        });
    }

    void postNext() {
        postAfterFrame([this] { fitNext(); });
    }

    std::deque<std::weak_ptr<View>> fields;  // those with texts to fit, in turn
    QTimer delay;
};

TextField::TextField(Rect frame) : View(frame) {}

TextField::~TextField() = default;

// The label starts with an empty frame: every caller places it, and measuring the text here
// would load the font engine before the window is first shown.
std::shared_ptr<TextField> TextField::labelWithString(std::string text) {
    auto label = View::make<TextField>(Rect{});
    label->setStringValue(std::move(text));
    return label;
}

void TextField::setStringValue(std::string newText) {
    // The same text again changes nothing on screen and nothing a screen reader hears.
    if (newText == text) return;
    text = std::move(newText);
    repaintText();
    // Without a label the text is the field's accessible name.
    if (accessibilityLabel().empty()) accessibleNameChanged(*this);
    accessibleStatusAnnounce(*this);
}

void TextField::prepareStringValues(std::vector<std::string> texts) {
    if (!QCoreApplication::instance()) return;
    if (!upcoming) upcoming = std::make_unique<Upcoming>();
    upcoming->fits.clear();
    upcoming->toFit.clear();
    for (const std::string& offered : texts) {
        if (upcoming->toFit.size() == Upcoming::kMostTexts) break;
        QString next = toQString(offered);
        if (std::find(upcoming->toFit.begin(), upcoming->toFit.end(), next) ==
            upcoming->toFit.end())
            upcoming->toFit.push_back(std::move(next));
    }
    if (!upcoming->toFit.empty()) IdleFitter::shared().add(*this);
}

// Fits the next offered text, unless a fit for it is kept already. A field that is hidden, or in
// a live resize (whose every step makes the fields anew), fits none.
void TextField::fitOneUpcoming() {
    if (!upcoming || upcoming->toFit.empty()) return;
    QWidget* widget = widgetOf(*this);
    if (!widget || !widget->isVisible() || inLiveResize()) {
        upcoming->toFit.clear();
        return;
    }
    QString next = std::move(upcoming->toFit.front());
    upcoming->toFit.pop_front();
    FittedFont wanted =
        FittedFont::wantedFor(*this, *widget, *widget, widget->layoutDirection(), std::move(next));
    const auto kept = [&](const auto& fit) { return fit->isFor(wanted); };
    if (fitted && (fitted->isFor(wanted) ||
                   std::any_of(fitted->earlier.begin(), fitted->earlier.end(), kept)))
        return;
    upcoming->fits.push_back(FittedFont::make(*this, std::move(wanted), *widget, fitted.get()));
}

// Asks for the pixels of the old text and of the new one to be painted again, where both are
// known (the field's background and borders stay as they are), and otherwise for the whole field.
void TextField::repaintText() {
    QWidget* widget = widgetOf(*this);
    if (!widget || !widget->isVisible() || !fitted || !fitted->inkOnScreen)
        return setNeedsDisplay();
    const QRect before = *fitted->inkOnScreen;
    const FittedFont& now = FittedFont::of(*this, *widget, *widget, widget->layoutDirection());
    const auto after =
        now.inkIn(FittedFont::roomIn(*this, widget->rect()), qtAlignment(textAlignment));
    if (!after) return setNeedsDisplay();
    widget->update(before | *after);
    now.loadSizesAhead(*widget);
}

void TextField::setAccessibilityStatus(bool isStatus) {
    if (isStatus == accessibilityStatus) return;
    accessibilityStatus = isStatus;
    accessibleStatusChanged(*this);
}

AccessibleRole TextField::accessibilityRole() const {
    return accessibilityStatus ? AccessibleRole::statusBar : AccessibleRole::label;
}

std::string TextField::accessibilityDefaultName() const {
    return text;
}

std::string TextField::accessibilityValue() const {
    return text;
}

AccessibilityState TextField::accessibilityState() const {
    return AccessibilityState{.holdsWindowFocus = accessibilityStatus};
}

void TextField::setFont(Font font) {
    textFont = font;
    setNeedsDisplay();
}

void TextField::setAlignment(TextAlignment alignment) {
    textAlignment = alignment;
    setNeedsDisplay();
}

void TextField::setTextColor(std::optional<Color> color) {
    foreground = color;
    setNeedsDisplay();
}

void TextField::setBackgroundColor(Color color) {
    background = color;
    setNeedsDisplay();
}

void TextField::setBordered(bool isBordered) {
    bordered = isBordered;
    setNeedsDisplay();
}

void TextField::setDrawsBackground(bool drawsBackground) {
    fillsBackground = drawsBackground;
    setNeedsDisplay();
}

void TextField::draw(Painter& painter) const {
    QPainter& qt = painter.qt;
    const QRectF area = painter.widget.rect();
    if (fillsBackground) qt.fillRect(area, toQColor(background));

    qt.setPen(foreground ? toQColor(*foreground)
                         : painter.readableTextColor(QPalette::Text, fillsBackground
                                                                         ? std::optional(background)
                                                                         : std::nullopt));
    const QRectF room = FittedFont::roomIn(*this, area);
    const FittedFont& now =
        FittedFont::of(*this, painter.widget, *qt.device(), qt.layoutDirection());
    const Qt::Alignment alignment = qtAlignment(textAlignment);
    if (now.line) {
        now.line->draw(qt, room, QStyle::visualAlignment(now.direction, alignment));
    } else {
        qt.setFont(now.fitted);
        const int flags =
            static_cast<int>((alignment | Qt::AlignVCenter).toInt()) | Qt::TextSingleLine;
        qt.drawText(room, flags, now.text);
    }
    fitted->inkOnScreen = now.inkIn(room, alignment);

    if (bordered) {
        const QColor edge = painter.widget.palette().color(QPalette::Mid);
        const QRect outline = painter.widget.rect();
        if (edge.alpha() == 255 && outline.width() > 2 && outline.height() > 2) {
            // The pixels a one-pixel pen draws around the rectangle, filled side by side: the
            // same, at a fraction of the pen's cost, where each pixel is simply replaced.
            qt.fillRect(QRect(outline.left(), outline.top(), outline.width(), 1), edge);
            qt.fillRect(QRect(outline.left(), outline.bottom(), outline.width(), 1), edge);
            qt.fillRect(QRect(outline.left(), outline.top() + 1, 1, outline.height() - 2), edge);
            qt.fillRect(QRect(outline.right(), outline.top() + 1, 1, outline.height() - 2), edge);
        } else {
            qt.setRenderHint(QPainter::Antialiasing, false);
            qt.setPen(QPen(edge, 1));
            qt.setBrush(Qt::NoBrush);
            qt.drawRect(outline.adjusted(0, 0, -1, -1));
        }
    }
}

}  // namespace quorvin::toolkit

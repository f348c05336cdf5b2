// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/FontSizesAhead.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPointer>
#include <QSet>
#include <QWidget>

#include <algorithm>
#include <deque>

#include "quorvin/toolkit/qt/AfterFrame.h"

namespace quorvin::toolkit {

namespace {

// How many sizes below the one drawn are loaded: a digit more shrinks a field by at most a size
// or two, and the fitting tries the size it estimates and the one above it.
constexpr int kSizesAhead = 3;

class Loader : public QObject {
public:
    static Loader& shared() {
        // A child of the application: gone with it, and with it whatever is still queued.
        static QPointer<Loader> loader;
        if (!loader) loader = new Loader(QCoreApplication::instance());
        return *loader;
    }

    void add(QWidget& widget, const QFont& font, int pixelSize, const QString& sample) {
        const bool idle = queue.empty();
        loaded.insert(atSize(font, pixelSize));
        for (int size = pixelSize - 1; size >= std::max(1, pixelSize - kSizesAhead); --size) {
            QFont smaller = atSize(font, size);
            if (loaded.contains(smaller)) continue;
            loaded.insert(smaller);
            queue.push_back(Request{&widget, std::move(smaller), sample});
        }
        if (idle && !queue.empty()) postNext();
    }

private:
    void loadNext() {
        if (queue.empty()) return;
        const Request request = queue.front();
        queue.pop_front();
        if (request.widget) {
            [[maybe_unused]] const qreal advance =
                QFontMetricsF(request.font, request.widget).horizontalAdvance(request.sample);
        }
        if (!queue.empty()) postNext();
    }

    struct Request {
        QPointer<QWidget> widget;
        QFont font;  // at the size to load
        QString sample;
    };

    using QObject::QObject;

    static QFont atSize(QFont font, int pixelSize) {
        font.setPixelSize(pixelSize);
        return font;
    }

    void postNext() {
        postAfterFrame([this] { loadNext(); });
    }

    std::deque<Request> queue;
    QSet<QFont> loaded;
};

}  // namespace

void loadSmallerSizesAfterFrame(QWidget& widget, const QFont& font, int pixelSize,
                                const QString& sample) {
    if (QCoreApplication::instance() && pixelSize > 1)
        Loader::shared().add(widget, font, pixelSize, sample);
}

}  // namespace quorvin::toolkit

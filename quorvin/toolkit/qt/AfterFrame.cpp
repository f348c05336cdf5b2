// SPDX-FileCopyrightText: 2026 The Quorvin developers
//
// SPDX-License-Identifier: MIT

#include "quorvin/toolkit/qt/AfterFrame.h"

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QPointer>

#include <utility>

namespace quorvin::toolkit {

namespace {

constexpr int kAfterFramePriority = Qt::LowEventPriority - 1;

class WorkAfterFrame : public QEvent {
public:
    explicit WorkAfterFrame(std::function<void()> task)
        : QEvent(QEvent::User), work(std::move(task)) {}
    std::function<void()> work;
};

class WorkAfterFrameRunner : public QObject {
public:
    static WorkAfterFrameRunner* shared() {
        // A child of the application: gone with it, and with it whatever is still queued.
        static QPointer<WorkAfterFrameRunner> runner;
        if (!runner && QCoreApplication::instance())
            runner = new WorkAfterFrameRunner(QCoreApplication::instance());
        return runner;
    }

protected:
    void customEvent(QEvent* event) override {
        if (const auto& work = static_cast<WorkAfterFrame*>(event)->work) work();
    }

private:
    using QObject::QObject;
};

}  // namespace

void postAfterFrame(std::function<void()> work) {
    if (WorkAfterFrameRunner* runner = WorkAfterFrameRunner::shared())
        QCoreApplication::postEvent(runner, new WorkAfterFrame(std::move(work)),
                                    kAfterFramePriority);
}

}  // namespace quorvin::toolkit

// A desktop for tests: answers every box at once and records what the bench asked of it.
#pragma once

#include "toolkit/desktop.h"

#include <QEventLoop>
#include <QList>
#include <QStringList>
#include <QTimer>
#include <cmath>
#include <functional>

class FakeDesktop : public Desktop
{
  public:
    struct Box
    {
        QString text;
        QString caption;
        Buttons buttons;
    };

    Answer messageBox(QWidget *, const QString &text, const QString &caption,
                      Buttons buttons) override
    {
        boxes.append({text, caption, buttons});
        if (onBox)
            onBox();
        if (lingerMs > 0 && boxes.size() <= kMostLingering) {
            // A person reads the box before answering; the window's timers run meanwhile.
            QEventLoop reading;
            QTimer::singleShot(lingerMs, &reading, &QEventLoop::quit);
            reading.exec();
        }
        return buttons == Buttons::YesNo ? yesNoAnswer : Answer::Ok;
    }
    bool openDocument(const QString &path, QObject *context, std::function<void()> failed) override
    {
        opened << path;
        if (viewerWorks && viewerFailsLater)
            QTimer::singleShot(0, context, std::move(failed));
        return viewerWorks;
    }
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &folder) override
    {
        started << (QStringList{program} + arguments);
        startedIn << folder;
        return editorStarts;
    }
    QString textEditor() override { return editor; }
    void seedRandom() override
    {
        ++seeds;
        if (randomSource)
            randomSource->seedRandom();
    }
    double randomUniform() override
    {
        if (!draws.isEmpty())
            return draws.takeFirst();
        return randomSource ? randomSource->randomUniform() : 0.5;
    }
    int pauseLength(double seconds) override
    {
        return static_cast<int>(std::nearbyint(seconds * 1000 * pauseScale));
    }

    QStringList captions() const
    {
        QStringList out;
        for (const Box &b : boxes)
            out << b.caption;
        return out;
    }
    QStringList texts() const
    {
        QStringList out;
        for (const Box &b : boxes)
            out << b.text;
        return out;
    }

    QList<Box> boxes;
    std::function<void()> onBox; // runs while a box is "up"
    int lingerMs = 0; // how long a box stays up, the event loop running, before its answer
    static constexpr int kMostLingering = 5; // boxes after these are answered at once
    Answer yesNoAnswer = Answer::No;
    QStringList opened;
    QList<QStringList> started;
    QStringList startedIn; // the folder each program was started in; empty: the bench's own
    bool viewerWorks = true;
    bool viewerFailsLater = false; // the opener starts, then reports that it could not open
    bool editorStarts = true;
    QString editor = QStringLiteral("gedit");
    int seeds = 0;
    QList<double> draws;             // drawn first, one per draw
    Desktop *randomSource = nullptr; // then this desktop's draw, when set; else 0.5
    double pauseScale = 0.001;       // ten seconds become ten milliseconds; 1 for the real ones
};

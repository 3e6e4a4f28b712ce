// A desktop for running the bench where no one is at it: the build's document maker and the
// benchmark.
#pragma once

#include "toolkit/desktop.h"

/**
 * Answers every box at once (OK, or No where it asks Yes or No) and counts the boxes, keeping the
 * last one's text; opens nothing, starts nothing, and draws 0.5 every time.
 */
class QuietDesktop : public Desktop
{
  public:
    Answer messageBox(QWidget *, const QString &text, const QString &, Buttons buttons) override
    {
        ++boxes;
        lastBox = text;
        return buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
    }
    bool openDocument(const QString &, QObject *, std::function<void()>) override { return false; }
    bool startProgram(const QString &, const QStringList &, const QString &) override
    {
        return false;
    }
    QString textEditor() override { return QString(); }
    void seedRandom() override {}
    double randomUniform() override { return 0.5; }

    int boxes = 0;
    QString lastBox;
};

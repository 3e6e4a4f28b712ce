// The real desktop: Qt message boxes, the desktop's viewer and editor, a clock-seeded draw.
#pragma once

#include "toolkit/desktop.h"

#include <random>

class RealDesktop : public Desktop
{
  public:
    /** `opener` opens a document with the desktop's viewer; by default the desktop's xdg-open. */
    explicit RealDesktop(QString opener = QString());
    Answer messageBox(QWidget *parent, const QString &text, const QString &caption,
                      Buttons buttons) override;
    bool openDocument(const QString &path, QObject *context, std::function<void()> failed) override;
    bool startProgram(const QString &program, const QStringList &arguments,
                      const QString &folder) override;
    QString textEditor() override;
    void seedRandom() override;
    double randomUniform() override;

  private:
    QString m_opener;
    std::mt19937_64 m_random;
};

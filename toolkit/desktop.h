// Everything the bench asks of the world outside its window.
#pragma once

#include <QString>
#include <QStringList>
#include <cmath>
#include <functional>

class QObject;
class QWidget;

/**
 * Message boxes, documents, the editor, the random draw and the clock of the pauses: real on a
 * desktop, faked in tests.
 */
class Desktop
{
  public:
    enum class Buttons
    {
        Ok,
        YesNo
    };
    enum class Answer
    {
        Ok,
        Yes,
        No
    };

    virtual ~Desktop() = default;

    /** A modal box without an icon; the first button is the default. Returns the answer. */
    virtual Answer messageBox(QWidget *parent, const QString &text, const QString &caption,
                              Buttons buttons) = 0;
    /**
     * Opens a document with the desktop's viewer; false when no viewer could be asked. When the
     * desktop reports later that it could not open the document, `failed` runs, unless `context`
     * is gone by then.
     */
    virtual bool openDocument(const QString &path, QObject *context,
                              std::function<void()> failed) = 0;
    /**
     * Starts a program with its arguments, without a shell, in `folder` (the bench's own working
     * folder when empty); false when it cannot start.
     */
    virtual bool startProgram(const QString &program, const QStringList &arguments,
                              const QString &folder) = 0;
    /** The plain-text editor of this desktop, or an empty string when none is found. */
    virtual QString textEditor() = 0;
    /** Takes a new seed for the random draw from the clock. */
    virtual void seedRandom() = 0;
    /** A number drawn uniformly from [0, 1). */
    virtual double randomUniform() = 0;
    /** How long a pause of `seconds` lasts by this desktop's clock, in whole milliseconds. */
    virtual int pauseLength(double seconds)
    {
        return static_cast<int>(std::lround(seconds * 1000));
    }
};

// The Authors window: a portrait and the credits.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QLabel;

/**
 * The Authors window: ownerless and modeless; it is destroyed when the user closes it, with Escape
 * too. The keyboard stops on the credits, which it starts on, and on the portrait, so that screen
 * readers read them as the window opens and on Tab.
 */
class AuthorsWindow : public QWidget
{
    Q_OBJECT
  public:
    AuthorsWindow();

    /** The credits under the portrait, line breaks included. */
    void setCredits(const QString &caption);
    /** Puts the centre of this window, frame included, on the centre of `window`. */
    void centreOver(const QWidget *window);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void fitCreditsFont();

    QLabel *m_portrait; // Image1
    QLabel *m_credits;  // Label1
    QPointer<const QWidget> m_centredOver;
};

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

    /** The portrait (`Image1`) and the credits under it (`Label1`). */
    QLabel *portrait() const { return m_portrait; }
    QLabel *credits() const { return m_credits; }
    /** The credits as given, line breaks included. */
    QString creditsText() const { return m_caption; }
    void setCredits(const QString &caption);
    /** Puts the centre of this window, frame included, on the centre of `window`. */
    void centreOver(const QWidget *window);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void fitCreditsFont();

    QLabel *m_portrait;
    QLabel *m_credits;
    QString m_caption;
    QPointer<const QWidget> m_centredOver;
};

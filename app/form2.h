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
class Form2 : public QWidget
{
    Q_OBJECT
  public:
    Form2();

    QLabel *Image1;
    QLabel *Label1;

    /** The caption of Label1 as given, line breaks included. */
    QString label1Caption() const { return m_caption; }
    void setLabel1Caption(const QString &caption);
    /** Puts the centre of this window, frame included, on the centre of `window`. */
    void centreOver(const QWidget *window);

  protected:
    void keyPressEvent(QKeyEvent *event) override;

  private:
    void fitLabel1Font();

    QString m_caption;
    QPointer<const QWidget> m_centredOver;
};

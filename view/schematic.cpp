// The schematic view: which instruments the bench offers for the key and the source switch.
#include "app/form1.h"

#include "toolkit/bench_items.h"
#include "toolkit/picture_box.h"
#include "toolkit/scroll_bar.h"

// The key: with it open only the rheostat maximum can be set; closed, the slide wire, the
// rheostat and the box can, and the bridge is recomputed.
void Form1::ekran()
{
    const bool open = state.rabota == 0;
    const bool thrown = Image8->isVisible() != open; // the key's picture is about to change
    for (QWidget *w : {static_cast<QWidget *>(HScroll1), static_cast<QWidget *>(HScroll2),
                       static_cast<QWidget *>(VScroll1), static_cast<QWidget *>(VScroll2),
                       static_cast<QWidget *>(VScroll3), static_cast<QWidget *>(VScroll4),
                       static_cast<QWidget *>(VScroll5), static_cast<QWidget *>(VScroll6)})
        w->setVisible(!open);
    for (BenchLabel *l :
         {Lbl_R_m_1, lbl_R_m_2, lbl_R_m_3, Lbl_R_m_4, Lbl_R_m_5, Lbl_R_m_6, Lbl_reo})
        l->setVisible(!open);
    Picture1->setVisible(!open);
    // The jockey can be dragged while its bar is there to move.
    for (BenchItem *jockey : {static_cast<BenchItem *>(Image4), static_cast<BenchItem *>(Lbldv)})
        jockey->cursor = open ? Qt::ArrowCursor : Qt::SizeHorCursor;
    VScroll7->setVisible(open);
    LblReomax->setVisible(open);
    if (open) {
        Lbl_R_L->setVisible(false);
        Lbl_R_R->setVisible(false);
        Image8->setVisible(true);
        Image8->setLeft(20);
        Image8->setTop(72);
        Image9->setVisible(false);
        if (thrown)
            Lblvkl->valueChanged(); // screen readers hear the key opened
        return;
    }
    // The arm readouts stay as they are: a reveal may be showing them.
    Image9->setVisible(true);
    Image9->setLeft(20);
    Image9->setTop(72);
    Image8->setVisible(false);
    if (thrown)
        Lblvkl->valueChanged(); // screen readers hear the key closed
    HScroll1_Change();
}

// The source: the lamp lit while on; the EMF and internal-resistance knobs only while off.
void Form1::ekran_0()
{
    const bool on = state.istochnik != 0;
    Image10->setVisible(on);
    Image1->setSwitchedOn(on);
    HScroll3->setVisible(!on);
    HScroll4->setVisible(!on);
    HScroll1_Change();
}

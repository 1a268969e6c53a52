// frmMain: the Options menu's items: the cell counts and the switch of the sound effects.
#include <QAction>
#include <QMenu>

#include "app/editing/guarded.h"
#include "app/host/sound_switch.h"
#include "app/windows/frm_main.h"

namespace kubisto::app {

void frmMain::CreateDivideItems(QMenu* mnuOptionDivide) {
  for (size_t i = 0; i < kDivideCounts.size(); ++i) {
    // The larger rooms follow the classic three counts after a separator.
    if (i > 0 && kDivideCounts[i - 1] == 5)
      mnuOptionDivide->addSeparator()->setObjectName("mnuOptionDivideHifun1");
    QAction* entry = mnuOptionDivide->addAction(QString::number(kDivideCounts[i]));
    entry->setObjectName(QStringLiteral("mnuOptionDivideNum%1").arg(i));
    entry->setCheckable(true);
    const int index = static_cast<int>(i);
    connect(entry, &QAction::triggered, this,
            [this, index] { Guarded([this, index] { mnuOptionDivideNum_Click(index); }); });
    m_mnuOptionDivideNum[i] = entry;
  }
}

void frmMain::CreateSoundItem(QMenu* mnuOption) {
  QAction* entry = mnuOption->addAction(tr("効果音"));
  entry->setObjectName("mnuOptionSound");
  entry->setCheckable(true);
  entry->setChecked(SoundEffectsOn());
  connect(entry, &QAction::toggled, this, [](bool on) { SetSoundEffectsOn(on); });
}

}  // namespace kubisto::app

// Where the program keeps what the user chose (sound, window place): the user's configuration
// folder, ~/.config/kubisto/kubisto.conf. Tests point QSettings::setPath at a folder of their own.
#pragma once

#include <QSettings>

namespace kubisto::app {

class UserSettings : public QSettings {
 public:
  UserSettings() : QSettings(QSettings::NativeFormat, QSettings::UserScope, "kubisto", "kubisto") {}
};

}  // namespace kubisto::app

#pragma once

#include <QString>

class Model_Customize;

// What the settings dialog edits, between the stored settings and its
// controls. The decoding choice is not part of it: it is not stored.
struct SettingsChoice {
    int windowFlag = 0; // 0 on top while playing, 1 never, 2 always
    bool saveFile = false;
    QString picturePath;
    int captureFormat = 0;
    int captureMode = 0;
    int captureInterval = 0;
    int captureNumber = 0;

    bool operator==(const SettingsChoice&) const = default;
};

namespace SettingsChoices {

// The stay-on-top mode a stored value shows as: 0 and 1 as they are, any
// other value as always on top.
int shownWindowFlag(int stored);

SettingsChoice read(const Model_Customize& customize);
void write(Model_Customize& customize, const SettingsChoice& choice);

// What Restore puts into the controls: never on top, the play list kept,
// the picture folder under the output base folder, the first format and
// mode, one second and 100 snapshots.
SettingsChoice defaults(const Model_Customize& customize);

}

#include "SettingsChoice.h"

#include "Model_Customize.h"

namespace SettingsChoices {

int shownWindowFlag(int stored)
{
    return stored == 0 || stored == 1 ? stored : 2;
}

SettingsChoice read(const Model_Customize& customize)
{
    SettingsChoice choice;
    choice.windowFlag = shownWindowFlag(customize.windowFlag());
    choice.saveFile = customize.saveFileFlag() != 0;
    choice.picturePath = customize.picturePath();
    choice.captureFormat = customize.captureFormat();
    choice.captureMode = customize.captureMode();
    choice.captureInterval = customize.captureInterval();
    choice.captureNumber = customize.captureNumber();
    return choice;
}

void write(Model_Customize& customize, const SettingsChoice& choice)
{
    customize.setWindowFlag(choice.windowFlag);
    customize.setPicturePath(choice.picturePath);
    customize.setSaveFileFlag(choice.saveFile ? 1 : 0);
    customize.setCaptureFormat(choice.captureFormat);
    customize.setCaptureMode(choice.captureMode);
    customize.setCaptureInterval(choice.captureInterval);
    customize.setCaptureNumber(choice.captureNumber);
}

SettingsChoice defaults(const Model_Customize& customize)
{
    SettingsChoice choice;
    choice.windowFlag = 1;
    choice.saveFile = true;
    choice.picturePath = customize.defaultPicturePath();
    choice.captureInterval = 1;
    choice.captureNumber = 100;
    return choice;
}

}

#pragma once
// What the settings dialog needs of the window object that owns it besides
// the dialog notifications: taking the dialog's contents over and saving
// them, which the Update button asks for with the dialog still open. The
// application object implements it; the dialog finds it by casting its owner.
class SettingsDialog;

class SettingsOwner {
  public:
    // False when the settings could not be saved; the dialog then stays open.
    virtual bool ApplySettings(SettingsDialog* dialog) = 0;

  protected:
    ~SettingsOwner() = default;
};

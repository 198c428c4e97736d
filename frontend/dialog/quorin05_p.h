#pragma once

#include <string>

#include "frontend/controls/command.h"
#include "frontend/dialog/zoom.h"
#include "frontend/settings/settings.h"
#include "frontend/ui/combo_box.h"
#include "frontend/ui/control_group.h"
#include "frontend/ui/form.h"
#include "frontend/ui/image.h"
#include "frontend/ui/label.h"
#include "frontend/ui/picture_box.h"
#include "frontend/ui/property_store.h"
#include "frontend/ui/shape.h"

namespace veyora::frontend {

// The settings dialog, captioned "<Veyora(Ra05)>" (another start of the program
// finds it by that caption): the user chooses the background music — none, the
// audio CD (one track repeated, or the whole disc), or an MP3 or WAV file — and
// "設定" writes the choice to the settings file and closes the dialog (or, when
// the file cannot be written, says so in a message and stays open); "ｷｬﾝｾﾙ" and
// the close box close it without writing. It opens and closes with a zoom between
// the pointer and the window, and paints a dark-light-dark gradient behind its
// controls.
class Quorin05_P : public ui::Form {
 public:
  // Works on `settings`, which the choices change; "設定" writes them to the file
  // at `settingsFile`.
  Quorin05_P(Settings& settings, std::string settingsFile);

  // The controls, in the window's order; a number after the name is the index of
  // the member of a group of controls of that name.
  controls::Command Cmd_Can;
  controls::Command Cmd_Set;
  ui::PictureBox Pic_C_0;
  controls::Command Cmd_BGM;
  ui::ComboBox BGM_Repeat;
  ui::Shape Shape3_3;
  ui::Label lbl_15;
  ui::Image Img_BGM_0;
  ui::Label lbl_14;
  ui::Label lbl_BGM_1;
  ui::Label lbl_BGM_2;
  ui::Image Img_BGM_1;
  ui::Label lbl_BGM_0;
  ui::Image Img_BGM_2;
  ui::Label lbl_Fname;
  controls::Command Cmd_Etc;
  ui::Image Img_Ra_0;
  ui::Image Img_Ra_1;

  // The choice rows, indexed by the BGM_Mode each stands for, and the two marks.
  ui::ControlGroup<ui::Image> Img_BGM;
  ui::ControlGroup<ui::Label> lbl_BGM;
  ui::ControlGroup<ui::Image> Img_Ra;

 protected:
  void FormLoad() override;
  void FormResize() override;
  void FormUnload() override;

 private:
  void Img_BGM_MouseDown(int index);
  void lbl_BGM_MouseDown(int index);
  void Cmd_BGM_Click();
  void Cmd_Set_Click();
  void Cmd_Can_Click();
  void Cmd_Etc_Click();

  // The marks and the enabling that follow BGM_Mode.
  void ShowChoice();
  void ShowFileName();

  Settings& settings_;
  std::string settingsFile_;
  CursorStart cursorStart_;
  // The properties the dialog's layout stores for each button: caption and font.
  ui::PropertyStore canProperties_, setProperties_, bgmProperties_, etcProperties_;
};

// Starts the toolkit and shows the settings dialog modally over `settings`;
// returns once it has closed.
void ShowSettingsDialog(Settings& settings, const std::string& settingsFile);

}  // namespace veyora::frontend

#include "frontend/dialog/quorin05_p.h"

#include <QCursor>
#include <QDesktopServices>
#include <QFileDialog>
#include <QIcon>
#include <QUrl>
#include <algorithm>
#include <tuple>
#include <vector>

#include "frontend/dialog/dialog_rules.h"
#include "frontend/system/failure_report.h"
#include "frontend/ui/toolkit.h"
#include "frontend/ui/twips.h"
#include "platform/shared_names.h"

// Registers the compiled-in pictures before the window reads them. Stays outside
// any namespace: the resource's initialiser is declared where it is called.
static void LoadDialogPictures() { Q_INIT_RESOURCE(dialog_pictures); }

namespace veyora::frontend {

namespace {

constexpr int kClientWidthTwips = 7185;
constexpr int kClientHeightTwips = 3780;

QFont DialogFont() {
  QFont font(QString::fromUtf8("ＭＳ Ｐゴシック"));
  font.setPointSizeF(9.75);
  return font;
}

// The properties the dialog's layout keeps for a button: its caption and font.
void StoreButtonProperties(ui::PropertyStore& store, const char* caption) {
  store.Write("Caption", QString::fromUtf8(caption), "Command");
  store.Write("Font", DialogFont(), QFont());
}

int16_t ClampToInt16(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

// The gradient of the dialog's background: rows from dark at the edges to light
// in the middle, each row's colour made from its brightness.
template <class Colour>
void PaintGradient(ui::DrawingSurface& surface, Colour colourOf) {
  const std::vector<int> levels = GradientRowLevels(
      surface.ScaleHeight(), static_cast<int>(surface.ScaleHeight() / ui::kTwipsPerPixel));
  std::vector<QColor> rows;
  for (int level : levels) rows.push_back(level < 0 ? QColor() : colourOf(level));
  surface.FillRows(rows);
}

}  // namespace

Quorin05_P::Quorin05_P(Settings& settings, std::string settingsFile)
    : ui::Form(QString::fromUtf8(names::kDialogTitle),
               Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      Cmd_Can(this),
      Cmd_Set(this),
      Pic_C_0(this),
      Cmd_BGM(&Pic_C_0),
      BGM_Repeat(&Pic_C_0),
      Shape3_3(&Pic_C_0),
      lbl_15(&Pic_C_0, "BGM"),
      Img_BGM_0(&Pic_C_0),
      lbl_14(&Pic_C_0, QString::fromUtf8("曲目をﾘﾋﾟｰﾄ")),
      lbl_BGM_1(&Pic_C_0, QString::fromUtf8("音楽CD")),
      lbl_BGM_2(&Pic_C_0, QString::fromUtf8("MP3、WAV")),
      Img_BGM_1(&Pic_C_0),
      lbl_BGM_0(&Pic_C_0, QString::fromUtf8("無し")),
      Img_BGM_2(&Pic_C_0),
      lbl_Fname(&Pic_C_0),
      Cmd_Etc(this),
      Img_Ra_0(this),
      Img_Ra_1(this),
      settings_(settings),
      settingsFile_(std::move(settingsFile)) {
  LoadDialogPictures();
  setWindowIcon(QIcon(":/dialog/icon.png"));
  SetBackColour(QColor(0xC0, 0xC0, 0xC0));
  SetClientSizeTwips(kClientWidthTwips, kClientHeightTwips);
  setFixedSize(size());
  setFont(DialogFont());

  // Left, top, width and height in twips within each control's container, and
  // the tab index (-1: the control takes no focus; the others keep their own way
  // of taking it). The window opens with the focus on the first in tab order, the
  // panel, so that no button shows a focused face and no caret blinks.
  const std::vector<std::tuple<QWidget*, QRect, int>> layout = {
      {&Cmd_Can, {5940, 3000, 1035, 375}, 11},   {&Cmd_Set, {4800, 3000, 1095, 375}, 10},
      {&Pic_C_0, {180, 240, 6795, 2535}, 1},     {&Cmd_BGM, {540, 1740, 435, 315}, 9},
      {&BGM_Repeat, {1380, 780, 615, 300}, 2},   {&Shape3_3, {300, 300, 1695, 315}, -1},
      {&lbl_15, {300, 360, 1665, 195}, -1},      {&Img_BGM_0, {300, 1140, 195, 195}, -1},
      {&lbl_14, {2040, 840, 990, 195}, -1},      {&lbl_BGM_1, {540, 840, 645, 195}, -1},
      {&lbl_BGM_2, {540, 1440, 900, 195}, -1},   {&Img_BGM_1, {300, 840, 195, 195}, -1},
      {&lbl_BGM_0, {540, 1140, 345, 195}, -1},   {&Img_BGM_2, {300, 1440, 195, 195}, -1},
      {&lbl_Fname, {1020, 1740, 5355, 495}, -1}, {&Cmd_Etc, {2880, 3000, 1875, 375}, 12},
      {&Img_Ra_0, {8040, 300, 180, 180}, -1},    {&Img_Ra_1, {8040, 600, 180, 180}, -1}};
  std::vector<std::pair<int, QWidget*>> tabOrder;
  for (const auto& [control, place, tabIndex] : layout) {
    ui::PlaceTwips(control, place.x(), place.y(), place.width(), place.height());
    if (tabIndex < 0) control->setFocusPolicy(Qt::NoFocus);
    if (tabIndex >= 0) tabOrder.emplace_back(tabIndex, control);
  }
  std::sort(tabOrder.begin(), tabOrder.end());
  for (size_t i = 1; i < tabOrder.size(); ++i)
    setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
  tabOrder.front().second->setFocus();

  Pic_C_0.SetBackColour(QColor(0xE0, 0xE0, 0xE0));
  BGM_Repeat.setStyleSheet("QComboBox { background: white; }");
  lbl_15.SetCentred(true);
  for (ui::Label* label : {&lbl_14, &lbl_BGM_1, &lbl_BGM_2, &lbl_BGM_0}) label->SetAutoSize(true);
  lbl_Fname.SetBorder(true);
  for (ui::Label* label : {&lbl_15, &lbl_14, &lbl_BGM_1, &lbl_BGM_2, &lbl_BGM_0, &lbl_Fname}) {
    label->SetTextColour(Qt::black);
  }

  Img_BGM.Add(0, &Img_BGM_0);
  Img_BGM.Add(1, &Img_BGM_1);
  Img_BGM.Add(2, &Img_BGM_2);
  lbl_BGM.Add(0, &lbl_BGM_0);
  lbl_BGM.Add(1, &lbl_BGM_1);
  lbl_BGM.Add(2, &lbl_BGM_2);
  Img_Ra.Add(0, &Img_Ra_0);
  Img_Ra.Add(1, &Img_Ra_1);
  Img_Ra_0.SetPicture(QPixmap(":/dialog/mark_off.png"));
  Img_Ra_1.SetPicture(QPixmap(":/dialog/mark_on.png"));
  Img_BGM.OnMouseDown([this](int index, Qt::MouseButton) { Img_BGM_MouseDown(index); });
  lbl_BGM.OnMouseDown([this](int index, Qt::MouseButton) { lbl_BGM_MouseDown(index); });

  StoreButtonProperties(canProperties_, "ｷｬﾝｾﾙ");
  StoreButtonProperties(setProperties_, "設定");
  StoreButtonProperties(bgmProperties_, "...");
  StoreButtonProperties(etcProperties_, "その他の作品");
  Cmd_Can.ReadProperties(canProperties_);
  Cmd_Set.ReadProperties(setProperties_);
  Cmd_BGM.ReadProperties(bgmProperties_);
  Cmd_Etc.ReadProperties(etcProperties_);
  connect(&Cmd_BGM, &controls::Command::Click, [this] { Cmd_BGM_Click(); });
  connect(&Cmd_Set, &controls::Command::Click, [this] { Cmd_Set_Click(); });
  connect(&Cmd_Can, &controls::Command::Click, [this] { Cmd_Can_Click(); });
  connect(&Cmd_Etc, &controls::Command::Click, [this] { Cmd_Etc_Click(); });
}

void Quorin05_P::FormLoad() {
  // Centred across, at one third of the free height, by the window's outer size.
  // A Wayland compositor places the window itself, as it places any new window.
  const QSize screen = ui::ScreenSizeTwips();
  const QRect outer = frameGeometry();
  const auto [left, top] =
      DialogPlace(screen.width(), screen.height(), ui::PixelsToTwips(outer.width()),
                  ui::PixelsToTwips(outer.height()));
  MoveTwips(left, top);
  for (controls::Command* button : findChildren<controls::Command*>()) button->Initialize();
  ShowChoice();
  BGM_Repeat.SetText(QString::fromStdString(TrackText(settings_.BGM_Track)));
  for (int16_t track = 0; track <= 30; ++track) {
    BGM_Repeat.AddItem(QString::fromStdString(TrackText(track)));
  }
  ShowFileName();
  // On Wayland the pointer's place is not told before it enters the window.
  if (!ui::WindowsPlacedByCompositor()) {
    const QPoint pointer = QCursor::pos();
    cursorStart_ = {ClampToInt16(pointer.x()), ClampToInt16(pointer.y())};
  }
  Zoom_Open(Handle(), cursorStart_);
  ui::SetBusyPointer(false);
}

void Quorin05_P::FormResize() {
  PaintGradient(Surface(), [](int v) { return QColor(v, v, v + 30); });
  PaintGradient(Pic_C_0.Surface(), [](int v) { return QColor(v + 30, v + 30, v + 30); });
}

void Quorin05_P::FormUnload() { Zoom_Close(Handle(), cursorStart_); }

void Quorin05_P::ShowChoice() {
  Cmd_BGM.SetEnabled(false);
  BGM_Repeat.setEnabled(false);
  for (const auto& [index, mark] : Img_BGM.Members()) mark->SetPicture(Img_Ra(0)->Picture());
  // A stored mode outside 0 to 2 marks no choice.
  if (ui::Image* chosen = Img_BGM(settings_.BGM_Mode)) chosen->SetPicture(Img_Ra(1)->Picture());
  if (settings_.BGM_Mode == 1) BGM_Repeat.setEnabled(true);
  if (settings_.BGM_Mode == 2) Cmd_BGM.SetEnabled(true);
}

void Quorin05_P::ShowFileName() {
  const QString file = QString::fromStdString(settings_.BGM_File);
  // The whole path is kept; a long one shows its beginning and end.
  lbl_Fname.SetCaption(
      lbl_Fname.fontMetrics().elidedText(file, Qt::ElideMiddle, lbl_Fname.contentsRect().width()));
  lbl_Fname.setToolTip(file);
}

void Quorin05_P::Img_BGM_MouseDown(int index) {
  settings_.BGM_Mode = static_cast<int16_t>(index);
  ShowChoice();
}

void Quorin05_P::lbl_BGM_MouseDown(int index) { Img_BGM_MouseDown(index); }

void Quorin05_P::Cmd_BGM_Click() {
  const QString filter = QString::fromUtf8("BGMﾌｧｲﾙ (MP3 WAV) (%1 %2)")
                             .arg(QString::fromStdString(AnyCasePattern("*.MP3")),
                                  QString::fromStdString(AnyCasePattern("*.WAV")));
  QFileDialog chooser(this, QString::fromUtf8("ﾌｧｲﾙを開く"), QString(), filter);
  chooser.setFileMode(QFileDialog::ExistingFile);
  chooser.setOption(QFileDialog::HideNameFilterDetails);
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return;
  const std::string chosen = chooser.selectedFiles().first().toStdString();
  // Refused here rather than found unsaveable at "設定"; the previous choice stays.
  if (!MusicFileStorable(chosen)) {
    ui::ShowMessage(QString::fromUtf8(names::kProgramTitle),
                    QString::fromUtf8("ﾌｧｲﾙ名に改行が含まれているため、%1 に保存できません！")
                        .arg(QString::fromUtf8(names::kSettingsFile)));
    return;
  }
  settings_.BGM_File = chosen;
  ShowFileName();
}

void Quorin05_P::Cmd_Set_Click() {
  settings_.BGM_Track = TrackFromText(BGM_Repeat.Text().toStdString());
  if (!WriteSettings(settings_, settingsFile_)) {
    // The dialog stays open with the user's choices, to try again or cancel.
    ReportFailure("cannot write the settings file " + settingsFile_);
    ui::ShowMessage(QString::fromUtf8(names::kProgramTitle),
                    QString::fromUtf8("%1 に設定を保存できません！")
                        .arg(QString::fromStdString(settingsFile_)));
    return;
  }
  Unload();
}

void Quorin05_P::Cmd_Can_Click() { Unload(); }

void Quorin05_P::Cmd_Etc_Click() {
  ui::SetBusyPointer(true);
  QDesktopServices::openUrl(QUrl(QString::fromUtf8(VEYORA_HOMEPAGE)));
  ui::SetBusyPointer(false);
}

void ShowSettingsDialog(Settings& settings, const std::string& settingsFile) {
  ui::StartToolkit();
  Quorin05_P dialog(settings, settingsFile);
  dialog.ShowModal();
}

}  // namespace veyora::frontend

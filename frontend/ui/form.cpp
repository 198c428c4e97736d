#include "frontend/ui/form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPainter>

#include "frontend/ui/back_colour.h"
#include "frontend/ui/toolkit.h"
#include "frontend/ui/twips.h"

namespace veyora::frontend::ui {
namespace {

int loadedForms = 0;
QEventLoop* programLoop = nullptr;
bool stopRunning = false;

}  // namespace

Form::Form(const QString& caption, Qt::WindowFlags flags)
    : QWidget(nullptr, flags), surface_(this) {
  setWindowTitle(caption);
}

Form::~Form() {
  if (loaded_) --loadedForms;
}

void Form::Load() {
  if (loaded_) return;
  // The caption is already set, so the native window carries it from creation on.
  winId();
  FlushWindowRequests();
  loaded_ = true;
  ++loadedForms;
  FormLoad();
}

void Form::Show() {
  Load();
  if (loaded_) show();
}

void Form::ShowModal() {
  Load();
  if (!loaded_) return;
  setWindowModality(Qt::ApplicationModal);
  show();
  QEventLoop loop;
  modalLoop_ = &loop;
  loop.exec();
  modalLoop_ = nullptr;
}

void Form::Unload() {
  if (!loaded_) return;
  FormQueryUnload();
  FormUnload();
  hide();
  destroy();
  FlushWindowRequests();
  loaded_ = false;
  --loadedForms;
  if (modalLoop_) modalLoop_->quit();
  if (loadedForms == 0 && programLoop) programLoop->quit();
}

WId Form::Handle() { return winId(); }

void Form::MoveTwips(int left, int top) { move(TwipsToPixels(left), TwipsToPixels(top)); }

void Form::SetClientSizeTwips(int width, int height) {
  resize(TwipsToPixels(width), TwipsToPixels(height));
}

void Form::SetBackColour(const QColor& colour) { FillBackground(this, colour); }

void Form::RunWhileAnyLoaded() {
  if (loadedForms == 0 || stopRunning) return;
  QEventLoop loop;
  programLoop = &loop;
  loop.exec();
  programLoop = nullptr;
}

void Form::StopRunning() {
  stopRunning = true;
  if (programLoop) programLoop->quit();
}

void Form::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  surface_.Resize();
  if (loaded_) FormResize();
}

void Form::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  surface_.Paint(painter);
}

void Form::closeEvent(QCloseEvent* event) {
  // The close box unloads the window like any other way of closing it.
  event->ignore();
  Unload();
}

}  // namespace veyora::frontend::ui

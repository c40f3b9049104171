// Long work of the main window (reading the folder, the preview, a run, an
// undo) runs on a worker thread while the window goes on drawing itself and
// answering; the command that started it waits in an event loop of its own.
#include "app/qt/mainform.h"

#include <exception>

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QThread>

namespace {

// Escape anywhere in the program asks the running work to stop, also while
// the run has the window disabled.
class TAbortKeyFilter : public QObject {
 public:
  explicit TAbortKeyFilter(std::atomic<bool>& stop) : FStop(stop) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        !QApplication::activeModalWidget()) {
      FStop = true;
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::atomic<bool>& FStop;
};

}  // namespace

bool TMainForm::RunOffThread(const std::function<void()>& work) {
  if (FBusy) return false;  // one piece of work at a time
  FBusy = true;
  FStop = false;
  std::exception_ptr error;
  QEventLoop loop;
  QThread* thread = QThread::create([&work, &error]() {
    try {
      work();
    } catch (...) {
      error = std::current_exception();
    }
  });
  connect(thread, &QThread::finished, &loop, &QEventLoop::quit);
  TAbortKeyFilter abortKey(FStop);
  QCoreApplication::instance()->installEventFilter(&abortKey);
  thread->start();
  loop.exec();
  thread->wait();
  delete thread;
  QCoreApplication::instance()->removeEventFilter(&abortKey);
  FBusy = false;
  if (error) std::rethrow_exception(error);
  return true;
}

bool TMainForm::Busy() const { return FBusy; }

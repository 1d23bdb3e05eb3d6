// qimubox: the software box client. It takes nothing from its command line
// and reads no configuration; the servers it uses are values of the build.
#include <QApplication>
#include <cstdlib>

#include "startup/client_program.h"

int main(int argc, char** argv) {
  int exitCode = 0;
  {
    QApplication application(argc, argv);
    qimubox::ClientProgram program(qimubox::defaultClientOptions());
    exitCode = QApplication::exec();
  }  // the exit routine: the program, then the application object
  // The statistics thread is never waited for and may still be inside a
  // request; ending here skips the static destructors it could race with.
  std::quick_exit(exitCode);
}

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace rtv {

// The program's command line: --help, --version and a clone file to open. The service
// switches pass through to the model controller and are not listed in the help.
class ProgramCommandLine {
 public:
  enum class Action { Run, ShowHelp, ShowVersion, Refuse };

  // Needs the application object (the help names the program).
  explicit ProgramCommandLine(const QStringList& arguments);

  Action WhatToDo() const { return action_; }
  // The file to open, absolute; empty for none.
  const QString& File() const { return file_; }
  // The help, the version line or why the command line was refused.
  const QString& Text() const { return text_; }

  // Whether a raw argument asks only for help or the version, which need no display.
  static bool AsksForHelpOrVersion(int argc, char** argv);
  static bool IsServiceSwitch(const QString& argument);

 private:
  Action action_ = Action::Run;
  QString file_;
  QString text_;
};

}  // namespace rtv

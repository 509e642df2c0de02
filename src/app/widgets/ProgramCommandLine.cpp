// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/ProgramCommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstring>

#include "app/ServiceModes.h"

namespace rtv {

ProgramCommandLine::ProgramCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Clone programming of RT-V612 marine VHF radios: read the radio's memory, edit it in "
      "sheets, save and open clone files, and write the memory back.");
  const QCommandLineOption help = parser.addHelpOption();
  const QCommandLineOption version = parser.addVersionOption();
  parser.addPositionalArgument("file", "A clone file (.rtv) to open.", "[file]");
  const bool parsed = parser.parse(arguments);
  if (parser.isSet(help) || parser.isSet("help-all")) {
    action_ = Action::ShowHelp;
    text_ = parser.helpText();
    return;
  }
  if (parser.isSet(version)) {
    action_ = Action::ShowVersion;
    text_ = QCoreApplication::applicationName() + " " + QCoreApplication::applicationVersion();
    return;
  }
  if (!parsed) {
    action_ = Action::Refuse;
    text_ = parser.errorText();
    return;
  }
  QStringList files;
  for (const QString& argument : parser.positionalArguments()) {
    if (!IsServiceSwitch(argument)) files.append(argument);
  }
  if (files.size() > 1) {
    action_ = Action::Refuse;
    text_ = "One clone file at a time, not " + QString::number(files.size()) + ".";
    return;
  }
  if (!files.isEmpty()) file_ = QFileInfo(files.front()).absoluteFilePath();
}

bool ProgramCommandLine::AsksForHelpOrVersion(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    for (const char* option : {"-h", "--help", "-?", "-v", "--version", "--help-all"}) {
      if (std::strcmp(argv[i], option) == 0) return true;
    }
  }
  return false;
}

bool ProgramCommandLine::IsServiceSwitch(const QString& argument) {
  return argument.compare(ServiceModes::kMakerSwitch, Qt::CaseInsensitive) == 0 ||
         argument.compare(ServiceModes::kAdjustSwitch, Qt::CaseInsensitive) == 0;
}

}  // namespace rtv

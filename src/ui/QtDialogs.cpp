#include "QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

namespace qjig::ui {

namespace {

void ShowMessage(QMessageBox::Icon icon, const QString& title, const QString& text) {
  QMessageBox box(icon, title, text, QMessageBox::Ok, QApplication::activeWindow());
  box.exec();
}

std::optional<QString> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return path;
}

}  // namespace

void QtDialogs::Error(const QString& text) { ShowMessage(QMessageBox::Critical, "Error", text); }

void QtDialogs::Information(const QString& text) {
  ShowMessage(QMessageBox::Information, "Information", text);
}

std::optional<QString> QtDialogs::OpenFile(const FileDialogRequest& request) {
  return Chosen(QFileDialog::getOpenFileName(QApplication::activeWindow(), request.title, request.folder,
                                             QtFileFilter(request.filter)));
}

// Qt's save dialog asks before it overwrites a file.
std::optional<QString> QtDialogs::SaveFile(const FileDialogRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), request.title, request.folder, QtFileFilter(request.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (!request.defaultName.isEmpty()) dialog.selectFile(request.defaultName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().constFirst());
}

QString QtFileFilter(const QString& designFilter) {
  const QStringList parts = designFilter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString patterns = QString(parts[i + 1]).replace(';', ' ');
    filters << (description.contains('(' + patterns + ')') ? description
                                                            : description + " (" + patterns + ')');
  }
  return filters.join(";;");
}

}  // namespace qjig::ui

#pragma once

#include "uiplatform.h"

#include <QDialog>
#include <QStringList>

#include <functional>

namespace chordvane::test {

// Records what the windows would ask the user; modal windows are handed to
// onModal (when set) instead of waiting for a click.
class FakeDialogs : public UserDialogs {
public:
    QStringList messages; // "icon|title|text"
    QString typedText;    // what the user types into an input box
    QStringList prompts;  // "title|prompt"
    std::function<void(QDialog *)> onModal;
    QStringList opened;       // files handed to the viewer
    bool viewerStarts = true; // whether the viewer could start
    int modalCount = 0;
    bool answerYes = false;   // the answer to a question
    int chosenItem = -1;      // the item picked from a list; -1: the one offered
    QString chosenFile;       // what the user picks in a file chooser
    QString savedFile;        // what the user picks in a save dialog
    QStringList saveRequests; // "title|proposed path|filter"
    QStringList fileRequests; // "title|folder|filter"

    void information(QWidget *, const QString &title, const QString &text) override
    {
        messages << QStringLiteral("information|%1|%2").arg(title, text);
    }
    void exclamation(QWidget *, const QString &title, const QString &text) override
    {
        messages << QStringLiteral("exclamation|%1|%2").arg(title, text);
    }
    QString askText(QWidget *, const QString &title, const QString &prompt) override
    {
        prompts << title + QLatin1Char('|') + prompt;
        return typedText;
    }
    bool confirm(QWidget *, const QString &title, const QString &text) override
    {
        messages << QStringLiteral("question|%1|%2").arg(title, text);
        return answerYes;
    }
    int chooseItem(QWidget *, const QString &title, const QString &prompt, const QStringList &items,
                   int current) override
    {
        prompts << title + QLatin1Char('|') + prompt + QLatin1Char('|') +
                       items.join(QLatin1Char(','));
        return chosenItem < 0 ? current : chosenItem;
    }
    void openInViewer(QWidget *, const QString &path, std::function<void(bool)> shown) override
    {
        opened << path;
        shown(viewerStarts);
    }
    QString openFile(QWidget *, const QString &title, const QString &folder,
                     const QString &filter) override
    {
        fileRequests << QStringList{title, folder, filter}.join(QLatin1Char('|'));
        return chosenFile;
    }
    QString saveFile(QWidget *, const QString &title, const QString &path,
                     const QString &filter) override
    {
        saveRequests << QStringList{title, path, filter}.join(QLatin1Char('|'));
        return savedFile;
    }
    void runModal(QDialog *dialog) override
    {
        ++modalCount;
        if (onModal)
            onModal(dialog);
    }
};

} // namespace chordvane::test

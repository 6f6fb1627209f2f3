#include "ui/qt/help_window.h"

#include <QAction>
#include <QFileInfo>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolBar>
#include <QUrl>

namespace velmor {

HelpWindow::HelpWindow(QWidget* parent)
    : QMainWindow(parent), browser_(new QTextBrowser(this)), findField_(new QLineEdit(this)) {
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(tr("Velmor Help"));
    setCentralWidget(browser_);
    // Links with a scheme other than file go to the desktop's handler.
    browser_->setOpenExternalLinks(true);

    QToolBar* bar = addToolBar(tr("Navigation"));
    bar->setMovable(false);
    QAction* back = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), tr("&Back"));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(back, &QAction::triggered, browser_, &QTextBrowser::backward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction* forward =
        bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward), tr("&Forward"));
    forward->setShortcut(QKeySequence::Forward);
    forward->setEnabled(false);
    connect(forward, &QAction::triggered, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    QAction* home = bar->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), tr("&Contents"));
    connect(home, &QAction::triggered, browser_, &QTextBrowser::home);

    bar->addSeparator();
    bar->addWidget(new QLabel(tr("Find:"), this));
    findField_->setObjectName(QStringLiteral("findField"));
    findField_->setPlaceholderText(tr("Ctrl+F"));
    findField_->setClearButtonEnabled(true);
    findField_->setMaximumWidth(220);
    bar->addWidget(findField_);
    connect(findField_, &QLineEdit::returnPressed, this, [this] { findNext(false); });

    auto* find = new QAction(tr("&Find"), this);
    find->setShortcut(QKeySequence::Find);
    connect(find, &QAction::triggered, this, [this] {
        findField_->setFocus();
        findField_->selectAll();
    });
    auto* next = new QAction(tr("Find &Next"), this);
    next->setShortcut(QKeySequence::FindNext);
    connect(next, &QAction::triggered, this, [this] { findNext(false); });
    auto* previous = new QAction(tr("Find &Previous"), this);
    previous->setShortcut(QKeySequence::FindPrevious);
    connect(previous, &QAction::triggered, this, [this] { findNext(true); });
    addActions({find, next, previous});

    resize(760, 680);
}

bool HelpWindow::showFile(const QString& file) {
    const QFileInfo info(file);
    if (!info.isFile() || !info.isReadable()) return false;
    const QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    if (browser_->source() != url) {
        browser_->setSource(url);
        browser_->clearHistory();
    }
    show();
    raise();
    activateWindow();
    return true;
}

void HelpWindow::findNext(bool backward) {
    const QString text = findField_->text();
    if (text.isEmpty()) return;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    if (browser_->find(text, flags)) return;
    // Not found before the end: start again from the other end.
    QTextCursor from = browser_->textCursor();
    from.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
    browser_->setTextCursor(from);
    browser_->find(text, flags);
}

} // namespace velmor

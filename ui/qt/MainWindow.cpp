// SPDX-FileCopyrightText: 2026 The TALLYWICK authors
// SPDX-License-Identifier: MIT

#include "ui/qt/MainWindow.h"

#include "app/ControlTable.h"
#include "app/MenuTree.h"
#include "ui/qt/ListBoxView.h"
#include "ui/qt/MenuRow.h"
#include "ui/qt/PartnerListModel.h"
#include "ui/qt/WrappingButton.h"
#include "ui/qt/WrappingMenuBar.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QScreen>
#include <QShortcutEvent>
#include <vector>

namespace tallywick {

namespace {

// Stands for the desktop as a parent window; nothing on X11 or Wayland
// parents a launch to it, but the request still names it.
constexpr WindowHandle kDesktopWindow = 1;

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelRect(const ControlSpec& design) {
    return {twipsToPixels(design.left), twipsToPixels(design.top), twipsToPixels(design.width),
            twipsToPixels(design.height)};
}

std::size_t rowOf(ControlId id) {
    return static_cast<std::size_t>(id);
}

} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("Form1"));
    // The layout is drawn for an 8-point dialog font, as on Windows; the
    // desktop's own face keeps its family.
    QFont font = QApplication::font();
    font.setPointSize(8);
    setFont(font);
    setWindowTitle(qtText(mainWindowTitle()));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    createMenus();
    createControls();
    createTabOrder();
    // Fixed border: the window is exactly its menu bar plus the client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

MainWindow::~MainWindow() = default;

void MainWindow::createControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    client_->setFixedSize(twipsToPixels(kClientWidthTwips), twipsToPixels(kClientHeightTwips));
    setCentralWidget(client_);

    for (const ControlSpec& design : kControlTable) {
        QWidget* widget = nullptr;
        switch (design.kind) {
        case ControlKind::Label: {
            auto* label = new QLabel(qtText(design.text), client_);
            label->setTextFormat(Qt::PlainText);
            label->setWordWrap(true);
            label->setAlignment(design.alignment == TextAlignment::Center
                                    ? Qt::AlignHCenter | Qt::AlignTop
                                    : Qt::AlignLeft | Qt::AlignTop);
            label->setFocusPolicy(Qt::NoFocus);
            widget = label;
            break;
        }
        case ControlKind::ListBox: {
            auto* view = new ListBoxView(client_);
            view->setModel(new PartnerListModel(view));
            view->setFocusPolicy(Qt::StrongFocus);
            if (design.foreground) {
                QPalette palette = view->palette();
                const QColor colour(design.foreground->red, design.foreground->green,
                                    design.foreground->blue);
                palette.setColor(QPalette::Text, colour);
                palette.setColor(QPalette::HighlightedText,
                                 palette.color(QPalette::HighlightedText));
                view->setPalette(palette);
            }
            widget = view;
            break;
        }
        case ControlKind::CommandButton: {
            auto* button = new WrappingButton(qtText(design.text), client_);
            button->setAutoDefault(false);
            button->setDefault(false);
            button->setFocusPolicy(Qt::StrongFocus);
            button->setToolTip(qtText(design.toolTip));
            connect(button, &QPushButton::clicked, this, [this, id = design.id] { clicked(id); });
            const QKeySequence accessKey = QKeySequence::mnemonic(button->text());
            if (!accessKey.isEmpty()) {
                buttonsByAccessKey_[accessKey.toString()] = button;
                button->installEventFilter(this);
            }
            widget = button;
            break;
        }
        case ControlKind::PictureBox: {
            auto* picture = new QLabel(client_);
            picture->setPixmap(QPixmap(QStringLiteral(":/tallywick/") + qtText(design.image)));
            picture->setFrameShape(QFrame::Box);
            picture->setFrameShadow(QFrame::Plain);
            picture->setLineWidth(1);
            picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            picture->setBackgroundRole(QPalette::Base);
            picture->setForegroundRole(QPalette::Text);
            picture->setAutoFillBackground(true);
            picture->setFocusPolicy(Qt::TabFocus);
            widget = picture;
            break;
        }
        }
        widget->setObjectName(qtText(design.name()));
        widget->setGeometry(pixelRect(design));
        if (!design.accessibleName.empty()) {
            widget->setAccessibleName(qtText(design.accessibleName));
        }
        controls_[rowOf(design.id)] = widget;
    }
    for (const ControlSpec& design : kControlTable) {
        // A label whose buddy is a control names it for a screen reader, and
        // the name follows the label's text.
        if (design.labelledBy) {
            auto* caption = static_cast<QLabel*>(controls_[rowOf(*design.labelledBy)]);
            caption->setBuddy(controls_[rowOf(design.id)]);
            nameListAfter(caption);
        }
        // Lists are drawn above the count labels they overlap by one pixel.
        if (design.kind == ControlKind::ListBox) {
            controls_[rowOf(design.id)]->raise();
        }
    }
}

void MainWindow::createMenus() {
    std::vector<QAction*> entries;
    QMenu* dropDown = nullptr;
    for (const MenuItemSpec& item : kMenuTree) {
        const QString name = qtText(item.name);
        const QString caption = qtText(item.caption);
        if (item.action == MenuAction::DropDown) {
            dropDown = new QMenu(caption, this);
            dropDown->setObjectName(name);
            dropDown->menuAction()->setObjectName(name);
            entries.push_back(dropDown->menuAction());
            continue;
        }
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, [this, &item] { chosen(item); });
        if (item.level == 0) {
            entries.push_back(action);
        } else {
            dropDown->addAction(action);
        }
    }
    auto* bar = new WrappingMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    bar->setFont(font());
    bar->setEntries(entries, twipsToPixels(kClientWidthTwips));
    for (MenuRow* row : bar->rows()) {
        row->installEventFilter(this);
    }
    setMenuWidget(bar);
}

void MainWindow::createTabOrder() {
    QWidget* previous = nullptr;
    for (const ControlSpec* design : controlsInTabOrder()) {
        if (design->kind == ControlKind::Label) {
            continue;
        }
        QWidget* widget = controls_[rowOf(design->id)];
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, widget);
        }
        previous = widget;
    }
    // The first in tab order has the focus when the window shows.
    controls_[rowOf(controlsInTabOrder().front()->id)]->setFocus(Qt::OtherFocusReason);
}

void MainWindow::centreOnScreen() {
    // A Wayland compositor places every window itself and gives a client no
    // say in where; the window goes where the desktop puts new windows.
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The buttons' access keys win over the menu bar's: Alt+R presses
    // "Open Retail Business Application", and "Credit Repair" stays reachable
    // through the menu bar's own keyboard navigation.
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        const auto it = buttonsByAccessKey_.find(shortcut->key().toString());
        if (it != buttonsByAccessKey_.end() && isActiveWindow()) {
            it->second->animateClick();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::clicked(ControlId button) {
    if (form_ != nullptr) {
        finish(form_->click(button));
    }
}

void MainWindow::chosen(const MenuItemSpec& item) {
    if (form_ != nullptr) {
        finish(form_->choose(item));
    }
}

void MainWindow::finish(HandlerOutcome outcome) {
    switch (outcome) {
    case HandlerOutcome::Continue:
        break;
    case HandlerOutcome::Exit:
        close();
        break;
    case HandlerOutcome::Failed:
        hide();
        QCoreApplication::exit(exitCode(outcome));
        break;
    }
}

ListBoxView* MainWindow::listView(ControlId list) const {
    return static_cast<ListBoxView*>(controls_[rowOf(list)]);
}

PartnerListModel* MainWindow::listModel(ControlId list) const {
    return static_cast<PartnerListModel*>(listView(list)->model());
}

void MainWindow::fillList(ControlId list, ListEntries entries) {
    listModel(list)->setEntries(std::move(entries));
}

std::size_t MainWindow::listCount(ControlId list) const {
    return listModel(list)->entries().size();
}

int MainWindow::selectedIndex(ControlId list) const {
    const QModelIndexList selected = listView(list)->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.front().row();
}

void MainWindow::setCaption(ControlId label, const std::string& text) {
    auto* caption = static_cast<QLabel*>(controls_[rowOf(label)]);
    caption->setText(QString::fromStdString(text));
    nameListAfter(caption);
}

void MainWindow::nameListAfter(const QLabel* caption) {
    // Qt's list views take their accessible name from the widget alone, not
    // from the label whose buddy they are: the count caption names its list.
    if (auto* list = qobject_cast<ListBoxView*>(caption->buddy())) {
        list->setAccessibleName(caption->text());
    }
}

void MainWindow::minimise() {
    // On Wayland a request the compositor may grant or not; Qt keeps the
    // window's state normal there, so every press asks again.
    showMinimized();
}

WindowHandle MainWindow::mainWindow() const {
    return static_cast<WindowHandle>(winId());
}

WindowHandle MainWindow::activeWindow() const {
    const QWidget* active = QApplication::activeWindow();
    return active != nullptr ? static_cast<WindowHandle>(active->winId()) : 0;
}

WindowHandle MainWindow::desktopWindow() const {
    return kDesktopWindow;
}

} // namespace tallywick

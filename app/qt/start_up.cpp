#include "app/qt/start_up.h"

#include "app/form_design.h"
#include "app/qt/accessibility.h"
#include "app/qt/design_look.h"
#include "app/qt/desktop_identity.h"
#include "app/qt/error_box.h"
#include "app/qt/form_window.h"
#include "app/qt/history_window.h"
#include "app/t_form1.h"
#include "model/failure.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <QtGlobal>

namespace zem {

namespace {

void createForm(TForm1 &form) {
    try {
        form.FormCreate();
    } catch (const Failure &failure) {
        // No window is open yet: closing the box must not end the program.
        const bool quits = QGuiApplication::quitOnLastWindowClosed();
        QGuiApplication::setQuitOnLastWindowClosed(false);
        showErrorBox(nullptr, QString::fromStdString(formDesign().caption), failure.message());
        QGuiApplication::setQuitOnLastWindowClosed(quits);
    }
}

} // namespace

void speakJapanese() {
    static QTranslator *qtTexts = [] {
        auto *translator = new QTranslator(qApp);
        if (translator->load(QStringLiteral("qtbase_ja"),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        return translator;
    }();
    (void)qtTexts;
}

void sendFramesThroughTheSocket() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM"))
        qputenv("QT_XCB_NO_MITSHM", "1");
}

std::unique_ptr<FormWindow> openFormWindow(TForm1 &form, std::string historyPath,
                                           HistoryWriter *writer) {
    useDesktopIdentity();
    // The menu bar is part of the window's design and stays in the window on
    // a desktop with a global menu too; Qt then need not ask the session bus
    // for one before the window can map.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    speakJapanese();
    installAccessibleInterfaces();
    useDesignStyle();
    createForm(form);
    auto window = std::make_unique<FormWindow>(form);
    window->setHistory(std::move(historyPath), writer);
    makeReadable(*window);
    window->show();
    window->activateWindow();
    form.model().activate();
    window->sync();
    return window;
}

std::unique_ptr<HistoryWindow> openHistoryWindow(std::string historyPath) {
    useDesktopIdentity();
    speakJapanese();
    useDesignStyle();
    auto window = std::make_unique<HistoryWindow>(std::move(historyPath), nullptr);
    window->showFor(GameMode::Word, 100);
    return window;
}

} // namespace zem

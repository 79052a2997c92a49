#include "SFrm_About.h"

#include "AppIcon.h"
#include "ProgramStarter.h"
#include "Registry.h"
#include "common/AppInfo.h"
#include "common/FileTest.h"
#include "common/Prompter.h"
#include "window/MessageBoxPrompter.h"

#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// Where the registry names the system information tool: its full path, or else the folder that holds
// its executable.
constexpr QLatin1String ToolPathKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
constexpr QLatin1String ToolPathValue("PATH");
constexpr QLatin1String ToolFolderKey("SOFTWARE\\Microsoft\\Shared Tools Location");
constexpr QLatin1String ToolFolderValue("MSINFO");
// Joined to the folder with this system's path separator.
constexpr QLatin1String ToolFileName("/MSINFO32.EXE");

// Desktops' own system information tools, tried in this order when the registry names none (on
// Linux it never does).
constexpr QLatin1String DesktopTools[] = {QLatin1String("kinfocenter"), QLatin1String("hardinfo"),
                                          QLatin1String("gnome-system-monitor")};

// A registry value is read into a buffer of this many bytes; a longer one cannot be read.
constexpr qsizetype QueryBufferSize = 1024;

// The window's separator lines, a dark one over a light one, draw one etched line: a sunken frame line.
QFrame* separatorLine()
{
    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void SFrm_About::showModal(QWidget* parent)
{
    const SystemRegistry registry;
    ProcessStarter starter;
    MessageBoxPrompter prompter;
    SFrm_About about(registry, starter, prompter, parent);
    prompter.setParent(&about);
    about.exec();
}

SFrm_About::SFrm_About(const Registry& registry, ProgramStarter& starter, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_registry(registry), m_starter(starter), m_prompter(prompter)
{
    setWindowTitle(AppTitle + QStringLiteral("のﾊﾞｰｼﾞｮﾝ情報"));
    setWindowIcon(appIcon());

    auto* picIcon = new QLabel;
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(appIcon().pixmap(48, 48));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* lblTitle = new QLabel(AppTitle);
    lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);

    auto* lblVersion =
        new QLabel(QStringLiteral("ﾊﾞｰｼﾞｮﾝ %1.%2.%3").arg(AppVersionMajor).arg(AppVersionMinor).arg(AppVersionRevision));
    lblVersion->setObjectName(QStringLiteral("lblVersion"));

    auto* lblDescription = new QLabel(QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの説明"));
    lblDescription->setObjectName(QStringLiteral("lblDescription"));
    lblDescription->setWordWrap(true);
    lblDescription->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* lblDisclaimer = new QLabel;
    lblDisclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* cmdSysInfo = new QPushButton(QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdSysInfo, &QPushButton::clicked, this, &SFrm_About::StartSysInfo);

    // Icon beside the title block; under the separator the disclaimer, with the buttons at the right.
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(picIcon, 0, 0, 4, 1);
    grid->addWidget(lblTitle, 0, 1, 1, 2);
    grid->addWidget(lblVersion, 1, 1, 1, 2);
    grid->addWidget(lblDescription, 2, 1, 1, 2);
    grid->setRowMinimumHeight(3, 24);
    grid->setRowStretch(3, 1);
    grid->addWidget(separatorLine(), 4, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 5, 0, 2, 2);
    grid->addWidget(cmdOK, 5, 2);
    grid->addWidget(cmdSysInfo, 6, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 220);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void SFrm_About::StartSysInfo()
{
    QString program;
    if (!GetKeyValue(HKEY_LOCAL_MACHINE, ToolPathKey, ToolPathValue, program)) {
        QString folder;
        if (GetKeyValue(HKEY_LOCAL_MACHINE, ToolFolderKey, ToolFolderValue, folder) &&
            Fnc_FileExists(folder + ToolFileName))
            program = folder + ToolFileName;
        else
            program = findDesktopTool();
    }
    // A path the registry names is started as it is, without testing first that the file exists.
    if (program.isEmpty() || !m_starter.startDetached(program))
        m_prompter.message(QStringLiteral("この環境ではシステム情報を使用できません。"), Prompter::Buttons::Ok,
                           Prompter::Answer::Ok);
}

bool SFrm_About::GetKeyValue(quint32 keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal) const
{
    const std::optional<RegistryValue> value = m_registry.value(keyRoot, keyName, subKeyRef);
    if (!value || value->data.size() > QueryBufferSize) {
        keyVal.clear();
        return false;
    }
    const QByteArray& data = value->data;
    if (value->type == REG_SZ) {
        // The text ends at its NUL; as a path, its bytes are a file name of this system.
        const qsizetype nul = data.indexOf('\0');
        keyVal = QFile::decodeName(nul < 0 ? data : data.first(nul));
    } else if (value->type == REG_DWORD) {
        quint32 number = 0;
        for (qsizetype i = std::min<qsizetype>(data.size(), 4); i-- > 0;)
            number = number << 8 | quint8(data[i]);
        keyVal = QString::number(number);
    }
    return true;
}

QString SFrm_About::findDesktopTool() const
{
    for (const QLatin1String name : DesktopTools) {
        const QString path = m_starter.findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

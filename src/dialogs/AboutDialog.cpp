#include "AboutDialog.h"

#include "AppIcon.h"
#include "ProgramStarter.h"
#include "Registry.h"
#include "common/AppInfo.h"
#include "common/FileTest.h"
#include "common/Prompter.h"

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
    line->setObjectName(QStringLiteral("separatorLine"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

void AboutDialog::showModal(QWidget* parent, Prompter& prompter)
{
    const SystemRegistry registry;
    ProcessStarter starter;
    AboutDialog about(registry, starter, prompter, parent);
    about.exec();
}

AboutDialog::AboutDialog(const Registry& registry, ProgramStarter& starter, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_registry(registry), m_starter(starter), m_prompter(prompter)
{
    setWindowTitle(tr("About %1").arg(AppTitle));
    setWindowIcon(appIcon());

    auto* iconLabel = new QLabel;
    iconLabel->setObjectName(QStringLiteral("iconLabel"));
    iconLabel->setPixmap(appIcon().pixmap(48, 48));
    iconLabel->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto* titleLabel = new QLabel(AppTitle);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = titleLabel->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    titleFont.setBold(true);
    titleLabel->setFont(titleFont);

    auto* versionLabel = new QLabel(tr("Version %1").arg(appVersionText()));
    versionLabel->setObjectName(QStringLiteral("versionLabel"));

    auto* descriptionLabel = new QLabel(tr("Checks the links of HTML documents and repairs them in place."));
    descriptionLabel->setObjectName(QStringLiteral("descriptionLabel"));
    descriptionLabel->setWordWrap(true);
    descriptionLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* disclaimerLabel = new QLabel;
    disclaimerLabel->setObjectName(QStringLiteral("disclaimerLabel"));
    disclaimerLabel->setWordWrap(true);
    disclaimerLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* okButton = new QPushButton(tr("OK"));
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* systemInfoButton = new QPushButton(tr("&System Info..."));
    systemInfoButton->setObjectName(QStringLiteral("systemInfoButton"));
    connect(systemInfoButton, &QPushButton::clicked, this, &AboutDialog::startSysInfo);

    // Icon beside the title block; under the separator the disclaimer, with the buttons at the right.
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(16);
    grid->addWidget(iconLabel, 0, 0, 4, 1);
    grid->addWidget(titleLabel, 0, 1, 1, 2);
    grid->addWidget(versionLabel, 1, 1, 1, 2);
    grid->addWidget(descriptionLabel, 2, 1, 1, 2);
    grid->setRowMinimumHeight(3, 24);
    grid->setRowStretch(3, 1);
    grid->addWidget(separatorLine(), 4, 0, 1, 3);
    grid->addWidget(disclaimerLabel, 5, 0, 2, 2);
    grid->addWidget(okButton, 5, 2);
    grid->addWidget(systemInfoButton, 6, 2);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(1, 220);
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::startSysInfo()
{
    QString program;
    if (!getKeyValue(HKEY_LOCAL_MACHINE, ToolPathKey, ToolPathValue, program)) {
        QString folder;
        if (getKeyValue(HKEY_LOCAL_MACHINE, ToolFolderKey, ToolFolderValue, folder) &&
            fileExists(folder + ToolFileName))
            program = folder + ToolFileName;
        else
            program = findDesktopTool();
    }
    // A path the registry names is started as it is, without testing first that the file exists.
    if (program.isEmpty() || !m_starter.startDetached(program))
        m_prompter.ask({PromptId::NoSystemInfoTool});
}

bool AboutDialog::getKeyValue(quint32 keyRoot, const QString& keyName, const QString& subKeyRef, QString& keyVal) const
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

QString AboutDialog::findDesktopTool() const
{
    for (const QLatin1String name : DesktopTools) {
        const QString path = m_starter.findExecutable(name);
        if (!path.isEmpty())
            return path;
    }
    return QString();
}

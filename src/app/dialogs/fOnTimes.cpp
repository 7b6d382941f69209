#include "app/dialogs/fOnTimes.h"

#include "app/shell/ShellServices.h"
#include "app/shell/TwipScale.h"
#include "app/shell/UserPrompts.h"

#include "base/TextUtil.h"
#include "settings/OnRatios.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <exception>

namespace notaro::app {

namespace {

constexpr int kRows = 9;

const char* const kDurationLabels[kRows] = {
    "Double whole note (2)",      "Whole note (1)",          "Half note (1/2)",
    "Quarter note (1/4)",         "Eighth note (1/8)",       "Sixteenth note (1/16)",
    "Thirty-second  note (1/32)", "Sixty-forth note (1/64)", "Hundred twenty-eighth note (1/128)"};

int rowTop(int row) {
    return 1395 + 330 * row;
}

/// Reads a box: a number whose 32-bit value lies within 0.1 to 1.0, both included.
bool readRatio(const QLineEdit& box, float& value) {
    float v = 0;
    if (!text::readNumber(box.text().toStdString(), v))
        return false;
    if (!(v >= 0.1f && v <= 1.0f))
        return false;
    value = v;
    return true;
}

} // namespace

fOnTimes::fOnTimes(UserPrompts& prompts, const OnTimeRatios& current, QWidget* parent)
    : QDialog(parent), m_prompts(prompts) {
    setObjectName(QStringLiteral("fOnTimes"));
    setWindowTitle(QStringLiteral("Note On-Time"));
    setModal(true);

    auto label = [this](const QString& text, const QString& name, Qt::Alignment alignment) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        l->setAlignment(alignment);
        return l;
    };
    QLabel* intro = label(
        QStringLiteral("You can set the ratio of the note \"On-Time\" to the note full duration "
                       "time. The ratio is set separately for each duration, and for each of "
                       "\"normal\" play and \"staccato\" play."),
        QStringLiteral("lblIntro"), Qt::AlignLeft | Qt::AlignTop);
    intro->setWordWrap(true);
    QLabel* normal = label(QStringLiteral("Normal"), QStringLiteral("lblNormal"),
                           Qt::AlignHCenter | Qt::AlignBottom);
    QLabel* staccato = label(QStringLiteral("Staccato"), QStringLiteral("lblStaccato"),
                             Qt::AlignHCenter | Qt::AlignBottom);

    // Created column by column so that the focus chain runs down the normal boxes first.
    auto box = [this](const QString& name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        return edit;
    };
    for (int i = 0; i < kRows; ++i)
        m_txtOnNorm[i] = box(QStringLiteral("txtOnNorm%1").arg(i));
    for (int i = 0; i < kRows; ++i)
        m_txtOnStacc[i] = box(QStringLiteral("txtOnStacc%1").arg(i));
    std::array<QLabel*, kRows> lblDuration{};
    for (int i = 0; i < kRows; ++i) {
        lblDuration[i] =
            label(QString::fromLatin1(kDurationLabels[i]), QStringLiteral("lblDuration%1").arg(i),
                  Qt::AlignRight | Qt::AlignVCenter);
        lblDuration[i]->setBuddy(m_txtOnNorm[i]);
    }

    auto button = [this](const QString& caption, const char* name) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        return b;
    };
    m_cmdOk = button(QStringLiteral("OK"), "cmdOk");
    m_cmdCancel = button(QStringLiteral("Cancel"), "cmdCancel");
    m_cmdRestoreDefs = button(QStringLiteral("Restore Defaults..."), "cmdRestoreDefs");
    m_cmdOk->setDefault(true);

    const TwipScale twips(*this);
    // The design's positions hold while its texts fit; a wider or taller font moves the boxes
    // right and everything below the introduction down, just far enough that no text is cut.
    int labelWidth = 0;
    for (QLabel* l : lblDuration)
        labelWidth = std::max(labelWidth, l->sizeHint().width());
    const int dx = std::max(0, labelWidth - twips(2730));
    const QRect introRect = twips(345, 75, 4305, 705).adjusted(0, 0, dx, 0);
    const int headingsTop = twips(rowTop(0) - 330);
    const int dy =
        std::max(0, intro->heightForWidth(introRect.width()) + 4 - (headingsTop - introRect.top()));
    // The introduction may use the free space down to the headings.
    intro->setGeometry(introRect.adjusted(0, 0, 0, headingsTop + dy - 4 - introRect.bottom()));
    const auto place = [dx, dy](QWidget* w, const QRect& r) {
        w->setGeometry(r.translated(dx, dy));
    };
    place(normal, twips(2970 - 240, rowTop(0) - 330, 960, 300));
    place(staccato, twips(3825 - 240, rowTop(0) - 330, 960, 300));
    for (int i = 0; i < kRows; ++i) {
        place(m_txtOnNorm[i], twips(2970, rowTop(i), 480, 300));
        place(m_txtOnStacc[i], twips(3825, rowTop(i), 480, 300));
        lblDuration[i]->setGeometry(twips(150, rowTop(i), 2730, 300).adjusted(0, dy, dx, dy));
    }
    m_cmdRestoreDefs->setGeometry(twips(345, 4560, 1875, 375).translated(0, dy));
    place(m_cmdOk, twips(2460, 4560, 1050, 375));
    place(m_cmdCancel, twips(3600, 4560, 1050, 375));
    setFixedSize(twips(4920) + dx, twips(5130) + dy);

    QWidget* previous = m_txtOnNorm[0];
    const auto chain = [&previous](QWidget* next) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    };
    for (int i = 1; i < kRows; ++i)
        chain(m_txtOnNorm[i]);
    for (int i = 0; i < kRows; ++i)
        chain(m_txtOnStacc[i]);
    chain(m_cmdOk);
    chain(m_cmdCancel);
    chain(m_cmdRestoreDefs);

    connect(m_cmdOk, &QPushButton::clicked, this, &fOnTimes::cmdOk_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_cmdRestoreDefs, &QPushButton::clicked, this, &fOnTimes::cmdRestoreDefs_Click);

    if (parent)
        setWindowIcon(parent->window()->windowIcon());
    fillBoxes(current);
    m_txtOnNorm[0]->setFocus();
    centerFormOnScreen(*this);
}

void fOnTimes::fillBoxes(const OnTimeRatios& ratios) {
    for (int i = 0; i < kRows; ++i) {
        m_txtOnNorm[i]->setText(QString::fromStdString(shortestFloatText(ratios.normal[i])));
        m_txtOnStacc[i]->setText(QString::fromStdString(shortestFloatText(ratios.staccato[i])));
    }
}

bool fOnTimes::validate(OnTimeRatios& ratios) {
    const auto check = [](QLineEdit* edit, float& value) {
        if (readRatio(*edit, value))
            return true;
        edit->setFocus(Qt::OtherFocusReason);
        edit->selectAll();
        return false;
    };
    for (int i = 0; i < kRows; ++i) {
        if (!check(m_txtOnNorm[i], ratios.normal[i]) || !check(m_txtOnStacc[i], ratios.staccato[i]))
            return false;
    }
    return true;
}

void fOnTimes::cmdOk_Click() {
    OnTimeRatios ratios;
    if (!validate(ratios)) {
        m_prompts.beep();
        return;
    }
    emit applied(ratios);
    // A settings file that cannot be written is not reported: the ratios still hold for this
    // run, and the next OK tries again.
    saveOnRatios(ratios);
}

void fOnTimes::cmdRestoreDefs_Click() {
    try {
        fillBoxes(OnTimeRatios());
    } catch (const std::exception&) {
        m_prompts.showMessage(this, QStringLiteral("Could not restore defaults!!"),
                              UserPrompts::Icon::Exclamation);
    }
}

} // namespace notaro::app

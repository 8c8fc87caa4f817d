#include "app/import_drawing_dialog.h"

#include "geometry/model.h"
#include "geometry/number_text.h"
#include "platform/errors.h"
#include "platform/qt/qt_support.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace torvex {

namespace {

// The element's points from left to right: a line's ends, an arc's ends with its interior.
std::vector<TPoint> ElementPath(const TObj& element) {
    if (!element.IsArc())
        return {element.P1, element.P2};
    TPoint left = element.P3.X <= element.P4.X ? element.P3 : element.P4;
    TPoint right = element.P3.X <= element.P4.X ? element.P4 : element.P3;
    std::vector<TPoint> points{left};
    for (const TPoint& p : ArcInteriorPoints(element, 24))
        points.push_back(p);
    points.push_back(right);
    return points;
}

QString Number(double value) {
    return QString::fromStdString(FormatFloat("0.###", value, SystemDecimalSeparator()));
}

} // namespace

ProfilePreview::ProfilePreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(420, 220);
    setAccessibleName("Profile found");
}

void ProfilePreview::Show(const std::optional<ImportedModel>& model) {
    Model = model;
    update();
}

void ProfilePreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    const double margin = 12;
    const double width = Model ? std::max(Model->StockBar.back().X, 1.0) : 1;
    const double radius = Model ? std::max(Model->StockBar.back().Y, 1.0) : 1;
    const double scale =
        std::min((this->width() - 2 * margin) / width, (height() - 2 * margin) / (2 * radius));
    const double left = (this->width() - width * scale) / 2;
    const double axis = height() / 2.0;
    auto at = [&](double x, double y) { return QPointF(left + x * scale, axis - y * scale); };

    painter.setPen(QPen(Qt::darkGray, 1, Qt::DashDotLine));
    painter.drawLine(QPointF(margin / 2, axis), QPointF(this->width() - margin / 2, axis));
    if (!Model)
        return;
    painter.setPen(QPen(QColor(120, 150, 200), 1, Qt::DashLine));
    painter.drawRect(QRectF(at(0, radius), at(width, -radius)));
    for (double side : {-1.0, 1.0}) {
        QPainterPath path;
        for (const TObj& element : Model->Part) {
            std::vector<TPoint> points = ElementPath(element);
            path.moveTo(at(points.front().X, side * points.front().Y));
            for (const TPoint& p : points)
                path.lineTo(at(p.X, side * p.Y));
        }
        painter.setPen(QPen(side > 0 ? Qt::black : Qt::gray, side > 0 ? 2 : 1));
        painter.drawPath(path);
    }
}

ImportDrawingDialog::ImportDrawingDialog(DrawingContents drawing, const QString& drawingName,
                                         MessageSink& messages, QWidget* parent)
    : QDialog(parent), Drawing(std::move(drawing)) {
    setObjectName("ImportDrawing");
    setWindowTitle("Import drawing - " + drawingName);
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto addField = [&](QWidget* field, const char* name, const QString& caption) {
        field->setObjectName(name);
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    StockAllowances defaults;
    Axis = new QLineEdit(Number(0), this);
    addField(Axis, "axis", "&Axis at Y :");
    Layer = new QComboBox(this);
    Layer->addItem("All layers", QString());
    for (const std::string& name : PieceLayers(Drawing))
        Layer->addItem(QString::fromStdString(name), QString::fromStdString(name));
    addField(Layer, "layer", "&Layer :");
    Stock = new QLineEdit(Number(defaults.Radial), this);
    addField(Stock, "stockallowance", "&Stock allowance (mm) :");
    Facing = new QLineEdit(Number(defaults.Facing), this);
    addField(Facing, "faceallowance", "&Facing allowance (mm) :");
    layout->addLayout(form);

    Preview = new ProfilePreview(this);
    Preview->setObjectName("preview");
    layout->addWidget(Preview, 1);
    Status = new QLabel(this);
    Status->setObjectName("status");
    Status->setWordWrap(true);
    Status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(Status);

    auto* buttons = new QDialogButtonBox(this);
    Import = buttons->addButton("Import", QDialogButtonBox::AcceptRole);
    Import->setObjectName("import");
    buttons->addButton(QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    for (QLineEdit* field : {Axis, Stock, Facing})
        ConnectGuarded(field, &QLineEdit::textChanged, this, messages, [this] { FindModel(); });
    ConnectGuarded(Layer, &QComboBox::currentIndexChanged, this, messages, [this] { FindModel(); });
    resize(640, 460);
    FindModel();
}

DrawingImportOptions ImportDrawingDialog::OptionsOfFields() const {
    char separator = SystemDecimalSeparator();
    DrawingImportOptions options;
    options.Profile.AxisY = TextToFloat(Axis->text().toStdString(), separator);
    options.Profile.Layer = Layer->currentData().toString().toStdString();
    options.Stock.Radial = TextToFloat(Stock->text().toStdString(), separator);
    options.Stock.Facing = TextToFloat(Facing->text().toStdString(), separator);
    return options;
}

// Refusals and fields that are no numbers are shown under the preview, not in a message box:
// they change as the user types.
void ImportDrawingDialog::FindModel() {
    Found.reset();
    QString status;
    try {
        Found = ImportModel(Drawing, OptionsOfFields());
        const std::vector<TPoint>& bar = Found->StockBar;
        status = QString("%1 elements, length %2 mm, largest radius %3 mm; stock %4 x %5 mm")
                     .arg(Found->Part.size())
                     .arg(Number(ProfileLength(Found->Part)), Number(ProfileMaxRadius(Found->Part)),
                          Number(bar.back().X), Number(bar.back().Y));
        if (!Found->Note.empty())
            status += "\n" + QString::fromStdString(Found->Note);
    } catch (const DrawingError& error) {
        status = QString::fromStdString(error.what());
    } catch (const ConversionError& error) {
        status = QString::fromStdString(error.what());
    }
    Status->setText(status);
    Status->setStyleSheet(Found ? "" : "color: #b00000;");
    Import->setEnabled(Found.has_value());
    Preview->Show(Found);
}

} // namespace torvex

#include "ui/folderpreview/folder_preview_view.hpp"

#include <QVBoxLayout>

#include "ui/folderpreview/preview_style.hpp"

namespace tavorin::ui {

namespace {

QWidget* makeDivider(QWidget* parent) {
  auto* divider = new QWidget(parent);
  divider->setFixedHeight(1);
  divider->setAutoFillBackground(true);
  QPalette palette = divider->palette();
  palette.setColor(QPalette::Window, style::divider(parent->palette()));
  divider->setPalette(palette);
  return divider;
}

}  // namespace

FolderPreviewView::FolderPreviewView(std::shared_ptr<FolderPreviewModel> model,
                                     const Platform& platform, ThumbnailLoader& loader,
                                     QWidget* parent)
    : QWidget(parent), model_(std::move(model)) {
  setMinimumSize(minimumPreviewSize);
  setBackgroundRole(QPalette::Window);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  header_ = new HeaderView(model_, loader, this);
  layout->addWidget(header_);
  layout->addWidget(makeDivider(this));

  content_ = new QStackedWidget(this);
  loading_ = new LoadingView(content_);
  message_ = new MessageView(content_);
  list_ = new FolderListView(model_, platform, loader, content_);
  grid_ = new FolderGridView(loader, content_);
  for (QWidget* view : {static_cast<QWidget*>(loading_), static_cast<QWidget*>(message_),
                        static_cast<QWidget*>(list_), static_cast<QWidget*>(grid_)})
    content_->addWidget(view);
  layout->addWidget(content_, 1);

  noteDivider_ = makeDivider(this);
  layout->addWidget(noteDivider_);
  note_ = new QLabel(this);
  note_->setFont(style::caption());
  note_->setAlignment(Qt::AlignCenter);
  note_->setContentsMargins(8, 6, 8, 6);
  QPalette notePalette = note_->palette();
  notePalette.setColor(QPalette::WindowText, style::secondaryText(notePalette));
  note_->setPalette(notePalette);
  layout->addWidget(note_);

  observation_ = model_->observe([this] { refresh(); });
  refresh();
}

QString FolderPreviewView::truncationNote() const {
  return note_->isVisibleTo(this) ? note_->text() : QString();
}

void FolderPreviewView::refresh() {
  header_->refresh();

  using Kind = FolderPreviewModel::Content::Kind;
  const FolderPreviewModel::Content content = model_->content();
  // Only the layout on screen holds the items, so only its cells do any work.
  const bool showsList = content.kind == Kind::list;
  const bool showsGrid = content.kind == Kind::grid;
  if (showsList) list_->refresh();
  if (!showsList) list_->area().setItems({});
  grid_->setItems(showsGrid ? model_->items() : std::vector<FolderItem>{});
  switch (content.kind) {
    case Kind::loading:
      loading_->setText(content.text);
      content_->setCurrentWidget(loading_);
      break;
    case Kind::message:
      message_->setMessage(content.symbol, content.text);
      content_->setCurrentWidget(message_);
      break;
    case Kind::list:
      content_->setCurrentWidget(list_);
      break;
    case Kind::grid:
      content_->setCurrentWidget(grid_);
      break;
  }

  const auto note = model_->truncationNote();
  noteDivider_->setVisible(note.has_value());
  note_->setVisible(note.has_value());
  note_->setText(note ? QString::fromStdString(*note) : QString());
}

}  // namespace tavorin::ui

// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "base/message_boxes.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QMessageBox;
class QAbstractButton;

namespace kc {

// The desktop's message boxes with German button texts, the icon and the
// default button each request asks for.
class QtMessageBoxes : public MessageBoxes {
  public:
    explicit QtMessageBoxes(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MsgAnswer ask(const MessageRequest& request) override;

  private:
    QPointer<QWidget> parent_;
};

// The box for a request, not yet shown; answerOf maps its clicked button back.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageRequest& request, QWidget* parent);
MsgAnswer AnswerOf(const QMessageBox& box, const QAbstractButton* clicked);

} // namespace kc

// The page's modal windows: a message box with its buttons, and the colour pop-up menu.
import { t } from "./i18n";

const $ = (id: string) => document.getElementById(id)!;

export type Choice = "ok" | "yes" | "no" | "cancel";

// Shows a message with buttons; resolves with the button chosen ("cancel" for Escape).
export function messageBox(text: string, title: string, buttons: Choice[] = ["ok"]): Promise<Choice> {
  const dialog = $("messageBox") as HTMLDialogElement;
  $("messageTitle").textContent = title;
  $("messageText").textContent = text;
  const row = $("messageButtons");
  row.replaceChildren();
  const captions: Record<Choice, string> = {
    ok: "OK", yes: t("はい"), no: t("いいえ"), cancel: t("キャンセル"),
  };
  for (const b of buttons) {
    const button = document.createElement("button");
    button.value = b;
    button.id = "message_" + b;
    button.textContent = captions[b];
    row.append(button);
  }
  return new Promise((resolve) => {
    dialog.returnValue = "cancel";
    dialog.onclose = () => resolve((dialog.returnValue || "cancel") as Choice);
    dialog.showModal();
    (row.firstElementChild as HTMLElement | null)?.focus();
  });
}

export interface PopupItem {
  id: string;
  caption: string;
  run: () => void;
}

// The colour menu over the view at a page point; null items are separators. Closes on any click
// or Escape.
export function popup(items: (PopupItem | null)[], x: number, y: number): void {
  const menu = $("popup");
  menu.replaceChildren();
  for (const item of items) {
    if (item === null) {
      menu.append(document.createElement("hr"));
      continue;
    }
    const button = document.createElement("button");
    button.id = item.id;
    button.textContent = item.caption;
    button.onclick = () => {
      closePopup();
      item.run();
    };
    menu.append(button);
  }
  menu.style.left = `${x}px`;
  menu.style.top = `${y}px`;
  menu.hidden = false;
}

export function closePopup(): void {
  $("popup").hidden = true;
}

export function popupOpen(): boolean {
  return !$("popup").hidden;
}

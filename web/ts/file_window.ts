// The file window: the layouts kept in the browser, listed by name, to load one or to save the
// room under a name, as the desktop's file window does with the files of its folder.
import { t } from "./i18n";
import { deleteLayout, listLayouts } from "./store";
import { messageBox } from "./dialogs";

const $ = (id: string) => document.getElementById(id)!;

// A name the desktop's file window takes too: not empty, no "." first, no "/" or "\".
export async function checkName(name: string): Promise<boolean> {
  if (name === "") {
    await messageBox(t("ファイル名を入力してください"), t("注意"));
    return false;
  }
  if (name.startsWith(".") || name.includes("/") || name.includes("\\")) {
    await messageBox(t("ファイル名を「.」で始めたり、「/」や「\\」を含めたりすることはできません"), t("注意"));
    return false;
  }
  return true;
}

// Shows the window; resolves with the name chosen, or null when cancelled.
export async function chooseLayout(mode: "load" | "save", suggested: string): Promise<string | null> {
  const dialog = $("fileWindow") as HTMLDialogElement;
  const list = $("fileList") as HTMLSelectElement;
  const name = $("fileName") as HTMLInputElement;
  $("fileTitle").textContent = mode === "load" ? t("Oh!Kubisto!! データを読み込もう") : t("Oh!Kubisto!! データを保存しよう");
  $("fileNameCaption").textContent = t("保存ﾌｧｲﾙ名");
  $("fileNameLabel").hidden = mode === "load";
  $("fileOK").textContent = t("cmdOK");
  $("fileCancel").textContent = t("cmdCancel");
  $("fileDelete").textContent = t("削除");
  const fill = async () => {
    list.replaceChildren();
    let names: string[] = [];
    try {
      names = (await listLayouts()).map((l) => l.name);
    } catch (e) {
      await messageBox(t("ブラウザの保存場所が使えません。") + "\n" + String(e), t("注意"));
    }
    for (const n of names) list.append(new Option(n, n));
  };
  name.value = suggested;
  await fill();
  list.onchange = () => (name.value = list.value);
  list.ondblclick = () => list.value && dialog.close("ok");
  $("fileDelete").onclick = async () => {
    if (!list.value) return;
    await deleteLayout(list.value);
    await fill();
  };
  return new Promise((resolve) => {
    dialog.returnValue = "cancel";
    dialog.onclose = async () => {
      if (dialog.returnValue !== "ok") return resolve(null);
      const chosen = mode === "load" ? list.value : name.value.trim();
      if (mode === "load" && !chosen) return resolve(null);
      if (mode === "save" && !(await checkName(chosen))) return resolve(chooseLayout(mode, chosen));
      resolve(chosen);
    };
    dialog.showModal();
    (mode === "load" ? list : name).focus();
  });
}

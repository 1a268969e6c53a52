// Japanese or English. The page's texts are the program's Japanese texts; the English ones come
// from the program's translation file, laid into the site as texts_en.json at build time. The
// browser's language chooses at first; the choice made in the page is remembered.

const kKey = "kubisto.language";
let english: Record<string, string> = {};
let language: "ja" | "en" = "ja";

export async function loadTexts(): Promise<void> {
  try {
    english = await (await fetch("texts_en.json")).json();
  } catch {
    english = {};
  }
  const chosen = localStorage.getItem(kKey);
  language = chosen === "ja" || chosen === "en" ? chosen
    : (navigator.language || "ja").toLowerCase().startsWith("ja") ? "ja" : "en";
  document.documentElement.lang = language;
}

export function currentLanguage(): "ja" | "en" {
  return language;
}

export function setLanguage(chosen: "ja" | "en"): void {
  language = chosen;
  localStorage.setItem(kKey, chosen);
  document.documentElement.lang = chosen;
}

// The text in the current language; "%1", "%2"… replaced by the arguments in order.
export function t(japanese: string, ...args: (string | number)[]): string {
  let text = language === "en" ? english[japanese] ?? japanese : japanese;
  args.forEach((a, i) => (text = text.split(`%${i + 1}`).join(String(a))));
  return text;
}

// A menu's title as the desktop's menu bar names it, without its keyboard mark: "ファイル(&F)"
// shows as "ファイル", "&File" as "File" (a page's menus have no Alt letters).
export function menuTitle(japanese: string): string {
  return t(japanese).replace(/\(&.\)$/, "").replace(/&(.)/g, "$1");
}

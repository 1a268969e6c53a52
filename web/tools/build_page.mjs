// Lays the page's generated parts into the site folder: the English texts taken from the
// program's Qt Linguist file (translations/kubisto_en.ts), the help pages (the desktop's help
// source, which is HTML), the toolbar and tool panel pictures and the sounds of assets/files, and
// the page's script bundled by esbuild from web/ts/.
// Run: node build_page.mjs <site folder>
import { build } from "esbuild";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";

const web = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..");
const root = path.resolve(web, "..");
const site = path.resolve(process.argv[2]);

function unescapeXml(text) {
  return text.replace(/&(lt|gt|amp|quot|apos|#(\d+)|#x([0-9a-fA-F]+));/g, (all, name, dec, hex) =>
    dec ? String.fromCodePoint(+dec) : hex ? String.fromCodePoint(parseInt(hex, 16))
      : { lt: "<", gt: ">", amp: "&", quot: '"', apos: "'" }[name]);
}

// Every finished translation of the .ts file, by its Japanese source text.
export function readTranslations(file) {
  const texts = {};
  const xml = fs.readFileSync(file, "utf8");
  for (const m of xml.matchAll(/<message>\s*<source>([\s\S]*?)<\/source>\s*<translation>([\s\S]*?)<\/translation>/g))
    texts[unescapeXml(m[1])] = unescapeXml(m[2]);
  return texts;
}

function copyFolder(from, to, pattern) {
  fs.mkdirSync(to, { recursive: true });
  for (const name of fs.readdirSync(from))
    if (pattern.test(name)) fs.copyFileSync(path.join(from, name), path.join(to, name));
}

fs.mkdirSync(site, { recursive: true });
fs.writeFileSync(path.join(site, "texts_en.json"),
  JSON.stringify(readTranslations(path.join(root, "translations/kubisto_en.ts"))));
fs.mkdirSync(path.join(site, "help"), { recursive: true });
fs.copyFileSync(path.join(root, "assets/files/help/kubisto.hlp"), path.join(site, "help/ja.html"));
fs.copyFileSync(path.join(root, "assets/files/help/kubisto_en.hlp"), path.join(site, "help/en.html"));
copyFolder(path.join(root, "assets/files/images"), path.join(site, "images"), /\.png$/);
fs.copyFileSync(path.join(root, "assets/files/icons/squr_g.ico"), path.join(site, "images/squr_g.ico"));
copyFolder(path.join(root, "assets/files/sound"), path.join(site, "sound"), /\.wav$/);
await build({
  entryPoints: [path.join(web, "ts/main.ts")],
  bundle: true,
  minify: true,
  sourcemap: false,
  target: "es2020",
  format: "iife",
  outfile: path.join(site, "page.js"),
  logLevel: "warning",
});

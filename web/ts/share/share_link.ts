// Layouts shared as links: the fragment "#kbs=" followed by the base64url text (no padding) of the
// raw-deflate (RFC 1951) compressed .kbs bytes. The browser's CompressionStream("deflate-raw")
// and Python's zlib.compressobj(wbits=-15) make the same kind of data, so that other tools can
// make such links.
//
//   const link = await shareLink(kbsBytes);                  // location's page + "#kbs=..."
//   const payload = shareFragmentPayload(location.hash);     // null: not a shared layout
//   if (payload !== null) bytes = await decodeShareFragment(location.hash);  // ShareLinkError
//
// Decoding never trusts the fragment: its text is limited, and inflating stops at the layout size
// limit of the desktop program (16 MiB), so that a damaged or hostile link gives a clear error,
// never a hang or a huge allocation.

export const SHARE_PREFIX = "#kbs=";
// The largest layout a link may carry: the desktop program's layout file limit.
export const MAX_LAYOUT_BYTES = 16 * 1024 * 1024;
// The longest fragment text read (browsers keep addresses of about 2 MB at most).
export const MAX_FRAGMENT_CHARS = 4 * 1024 * 1024;

export type ShareLinkErrorKind = "empty" | "malformed" | "damaged" | "too-large";

// A link that cannot give a layout. kind lets the page choose its own words; message is English.
export class ShareLinkError extends Error {
  readonly kind: ShareLinkErrorKind;
  constructor(kind: ShareLinkErrorKind, message: string) {
    super(message);
    this.name = "ShareLinkError";
    this.kind = kind;
  }
}

// The base64url text of bytes, without padding.
export function toBase64Url(bytes: Uint8Array): string {
  let binary = "";
  const step = 0x8000;  // String.fromCharCode takes its arguments on the stack
  for (let i = 0; i < bytes.length; i += step)
    binary += String.fromCharCode(...bytes.subarray(i, i + step));
  return btoa(binary).replace(/\+/g, "-").replace(/\//g, "_").replace(/=+$/, "");
}

// The bytes of base64url text (padding optional). Throws ShareLinkError("malformed").
export function fromBase64Url(text: string): Uint8Array {
  if (!/^[A-Za-z0-9_-]*={0,2}$/.test(text))
    throw new ShareLinkError("malformed", "the link's layout text holds characters base64url has not");
  const bare = text.replace(/=+$/, "");
  if (bare.length % 4 === 1)
    throw new ShareLinkError("malformed", "the link's layout text is cut short");
  const padded = bare.replace(/-/g, "+").replace(/_/g, "/") + "===".slice((bare.length + 3) % 4);
  let binary: string;
  try {
    binary = atob(padded);
  } catch {
    throw new ShareLinkError("malformed", "the link's layout text is not base64url");
  }
  const bytes = new Uint8Array(binary.length);
  for (let i = 0; i < binary.length; ++i) bytes[i] = binary.charCodeAt(i);
  return bytes;
}

async function readAll(stream: ReadableStream<Uint8Array>, limit: number): Promise<Uint8Array> {
  const reader = stream.getReader();
  const chunks: Uint8Array[] = [];
  let total = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) break;
    total += value.length;
    if (total > limit) {
      await reader.cancel().catch(() => {});
      throw new ShareLinkError("too-large", `the link's layout is larger than ${limit} bytes`);
    }
    chunks.push(value);
  }
  const out = new Uint8Array(total);
  let at = 0;
  for (const c of chunks) {
    out.set(c, at);
    at += c.length;
  }
  return out;
}

// Pushes data through a transform stream and reads what comes out, up to limit bytes.
async function transform(
  stream: { writable: WritableStream<BufferSource>; readable: ReadableStream<Uint8Array> },
  data: Uint8Array,
  limit: number,
): Promise<Uint8Array> {
  const writer = stream.writable.getWriter();
  // Written while reading: a stream holds back its writer until its reader takes the output.
  // (data's memory is never shared: the cast only narrows ArrayBufferLike)
  const written = writer.write(data as Uint8Array<ArrayBuffer>).then(() => writer.close());
  written.catch(() => {});  // a failure shows on the reading side as well
  const out = await readAll(stream.readable, limit);
  await written;
  return out;
}

// The raw-deflate compressed bytes.
export async function deflateRaw(bytes: Uint8Array): Promise<Uint8Array> {
  return transform(new CompressionStream("deflate-raw" as CompressionFormat), bytes, Infinity);
}

// The inflated bytes, at most limit of them. Throws ShareLinkError ("damaged", "too-large").
export async function inflateRaw(bytes: Uint8Array, limit = MAX_LAYOUT_BYTES): Promise<Uint8Array> {
  try {
    return await transform(new DecompressionStream("deflate-raw" as CompressionFormat), bytes, limit);
  } catch (e) {
    if (e instanceof ShareLinkError) throw e;
    throw new ShareLinkError("damaged", "the link's layout data is damaged");
  }
}

// "#kbs=" and the layout's text.
export async function encodeShareFragment(kbsBytes: Uint8Array): Promise<string> {
  if (kbsBytes.length > MAX_LAYOUT_BYTES)
    throw new ShareLinkError("too-large", `the layout is larger than ${MAX_LAYOUT_BYTES} bytes`);
  return SHARE_PREFIX + toBase64Url(await deflateRaw(kbsBytes));
}

// The page's address (without its own fragment) with the layout's fragment.
export async function shareLink(kbsBytes: Uint8Array, page: string = location.href): Promise<string> {
  const url = new URL(page);
  url.hash = "";
  return url.toString().replace(/#$/, "") + (await encodeShareFragment(kbsBytes));
}

// The layout text of a fragment ("#kbs=..." or "kbs=..."), or null when it carries none.
export function shareFragmentPayload(hash: string): string | null {
  const h = hash.startsWith("#") ? hash : "#" + hash;
  return h.startsWith(SHARE_PREFIX) ? h.slice(SHARE_PREFIX.length) : null;
}

// The .kbs bytes a fragment carries. Throws ShareLinkError: "empty" (no layout in it),
// "malformed", "damaged" or "too-large".
export async function decodeShareFragment(hash: string): Promise<Uint8Array> {
  const payload = shareFragmentPayload(hash);
  if (payload === null || payload.length === 0)
    throw new ShareLinkError("empty", "the link carries no layout");
  if (payload.length > MAX_FRAGMENT_CHARS)
    throw new ShareLinkError("too-large", "the link's layout text is too long");
  const bytes = await inflateRaw(fromBase64Url(payload));
  if (bytes.length === 0) throw new ShareLinkError("empty", "the link carries no layout");
  return bytes;
}
